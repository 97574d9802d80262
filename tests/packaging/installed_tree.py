#!/usr/bin/env python3
"""Installs the build into a folder of its own (`cmake --install --prefix`) and checks what a
user's system gets: exactly the expected files, each accepted by its own freedesktop linter
(desktop-file-validate, appstreamcli, update-mime-database, groff and lexgrog for the man pages),
every icon size drawn, the newest release being the project's version, and the installed
programs answering --version, --help and a bad option without a display.

usage: installed_tree.py BUILD VERSION
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys

build, version = sys.argv[1], sys.argv[2]
root = pathlib.Path(build) / "installed-tree"
app = "io.github.hoshiwa2.Viewer"
sizes = (16, 22, 24, 32, 48, 64, 128, 256, 512)
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*command, **env):
    """Runs `command` with no display, `env` added to the environment."""
    environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    return subprocess.run([str(c) for c in command], capture_output=True, text=True,
                          env={**environment, **env})


shutil.rmtree(root, ignore_errors=True)
result = run("cmake", "--install", build, "--prefix", root)
check(result.returncode == 0, f"cmake --install failed: {result.stderr}")

# Nothing more and nothing less: no test, benchmark, fuzzer or helper tool.
expected = {"bin/hoshiwa2", "bin/hoshiwa2-export", f"share/applications/{app}.desktop",
            f"share/metainfo/{app}.metainfo.xml", f"share/mime/packages/{app}.xml",
            f"share/icons/hicolor/scalable/apps/{app}.svg", "share/man/man1/hoshiwa2.1.gz",
            "share/man/man1/hoshiwa2-export.1.gz", "share/hoshiwa2/sample/YGS_PRG.BIN",
            "share/doc/hoshiwa2/copyright", "share/doc/hoshiwa2/changelog.gz"}
expected |= {f"share/icons/hicolor/{s}x{s}/apps/{app}.png" for s in sizes}
installed = {str(p.relative_to(root)) for p in root.rglob("*") if not p.is_dir()}
check(installed == expected, f"installed {sorted(installed - expected)} more and "
      f"{sorted(expected - installed)} less than expected")

desktop = root / f"share/applications/{app}.desktop"
result = run("desktop-file-validate", desktop)
check(result.returncode == 0 and result.stdout == "", f"desktop entry: {result.stdout}")
lines = desktop.read_text().splitlines()
check("Exec=hoshiwa2 %f" in lines and f"Icon={app}" in lines, "Exec or Icon line")
metainfo = root / f"share/metainfo/{app}.metainfo.xml"
result = run("appstreamcli", "validate", "--no-net", "--pedantic", metainfo)
check(result.returncode == 0, f"metainfo: {result.stdout}{result.stderr}")
# The newest release is listed first, and it is the changelog's newest entry too.
release = re.search(r'<release version="([^"]*)"', metainfo.read_text())
check(release and release.group(1) == version, f"the metainfo's newest release: {release}")
changelog = run("gzip", "-dc", root / "share/doc/hoshiwa2/changelog.gz").stdout
entry = re.match(r"hoshiwa2 \(([^)]*)\)", changelog)
check(entry and entry.group(1) == version, f"the changelog's newest entry: {entry}")

# The type's glob, compiled by the same tool the package triggers: any letter case, so no "cs"
# flag, and the database keeps the glob in lower case.
run("update-mime-database", root / "share/mime", XDG_DATA_DIRS=str(root / "share"))
globs = [g for g in (root / "share/mime/globs2").read_text().splitlines() if "hoshiwa2" in g]
check(globs == ["80:application/x-hoshiwa2-glossary:ygs_prg.bin"], f"globs2: {globs}")

for page in ("hoshiwa2", "hoshiwa2-export"):
    gz = root / f"share/man/man1/{page}.1.gz"
    groff = subprocess.run(f"gzip -dc '{gz}' | groff -ww -z -man -Tutf8", shell=True,
                           capture_output=True, text=True)
    check(groff.returncode == 0 and groff.stderr == "", f"groff on {page}.1: {groff.stderr}")
    check(run("lexgrog", gz).returncode == 0, f"lexgrog cannot read the NAME of {page}.1")

for size in sizes:
    out = run("file", root / f"share/icons/hicolor/{size}x{size}/apps/{app}.png").stdout
    check(f"PNG image data, {size} x {size}," in out, f"the {size}px icon: {out}")

# The programs as installed, with no display at all.
for program in ("hoshiwa2", "hoshiwa2-export"):
    result = run(root / "bin" / program, "--version")
    check(result.returncode == 0 and result.stdout == f"{program} {version}\n", f"{program} --version")
    result = run(root / "bin" / program, "--help")
    check(result.returncode == 0 and result.stdout.startswith(f"usage: {program}"), f"{program} --help")
    result = run(root / "bin" / program, "--no-such-option")
    check(result.returncode == 2 and result.stderr.startswith(f"usage: {program}"),
          f"{program} --no-such-option")

shutil.rmtree(root)
for failure in failures:
    print("FAIL:", failure)
print(f"installed_tree: {len(expected)} files installed; {len(failures)} failures")
sys.exit(1 if failures else 0)

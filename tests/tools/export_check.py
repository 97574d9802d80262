"""What the exporter's read-back checks share: the exporter and data file from the command line,
one failure list, runs of the exporter, and the sample with a character that has no Unicode form.

Each check is run as `python3 CHECK.py HOSHIWA2_EXPORT DATAFILE [...]`.
"""
import csv
import io
import os
import subprocess
import sys

exporter, data = sys.argv[1], sys.argv[2]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*args, **env):
    """The exporter's run with `args`, its output captured, `env` added to the environment."""
    return subprocess.run([exporter, *args], capture_output=True, env=dict(os.environ, **env))


def csv_rows(text):
    return list(csv.reader(io.StringIO(text, newline="")))


def utf8_export(*args, path=data):
    """The UTF-8 export of `path` with `args` on standard output, as text."""
    return run(*args, "--encoding", "utf-8", path, "-").stdout.decode("utf-8")


def broken_copy(folder):
    """A copy of the data file in `folder` whose first 櫂 (0x9F 0x44, the title of the sample's
    first record in kana order) became 0x85 0x40, a row CP932 leaves empty."""
    with open(data, "rb") as f:
        glossary = f.read()
    kai = "櫂".encode("cp932")
    check(kai in glossary, "the sample has no 櫂 to break")
    broken = os.path.join(folder, "YGS_PRG.BIN")
    with open(broken, "wb") as f:
        f.write(glossary.replace(kai, b"\x85\x40", 1))
    return broken


def finish(summary):
    """Prints the failures and the summary line, and exits with 1 after any failure."""
    for failure in failures:
        print("FAIL:", failure)
    print(f"{summary}; {len(failures)} failures")
    sys.exit(1 if failures else 0)

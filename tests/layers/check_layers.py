#!/usr/bin/env python3
"""Fails on an #include that reaches up the layers, and on a system #if outside platform/.

The order is platform (with its wx seam) < glossary < export < the viewer's compiled-in
resources < viewer and tools; the viewer and tools never include each other.
"""
import pathlib
import re
import sys

RANKS = {"platform": 0, "glossary": 1, "export": 2, "resources": 2.5, "viewer": 3, "tools": 3}
SYSTEM_IF = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif)\b.*\b(_WIN32|_WIN64|__WX(MSW|GTK|OSX)__|"
                       r"__linux__|__GLIBC__|__APPLE__|__unix__|_MSC_VER|__MINGW\w*)")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/')


def problems(root):
    for folder, rank in RANKS.items():
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp", ".in"):
                continue
            name = path.relative_to(root)
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                target = INCLUDE.match(line)
                if target and target.group(1) in RANKS and target.group(1) != folder:
                    if RANKS[target.group(1)] >= rank:
                        yield f"{name}:{number}: {folder}/ includes {target.group(1)}/"
                if folder != "platform" and SYSTEM_IF.match(line):
                    yield f"{name}:{number}: a system #if outside platform/"


def main():
    found = list(problems(pathlib.Path(sys.argv[1])))
    print("\n".join(found) or "the layers hold")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""hoshiwa2-export --format yomitan, read back by Python's zipfile and json modules.

usage: yomitan_export_test.py HOSHIWA2_EXPORT DATAFILE VERSION

1. The zip holds index.json and term_bank_1.json at its root and nothing else, each entry
   dated SOURCE_DATE_EPOCH's day.
2. index.json: the title (ホシノワ用語集, or --title's), revision VERSION-<first 12 hex digits
   of DATAFILE's SHA-256>, format 3, sourceLanguage and targetLanguage "ja", a description;
   the keys and types Yomitan's index schema allows.
3. term_bank_1.json: one 8-item array per row of the UTF-8 CSV export, in its order, laid out
   as Yomitan's term bank (format 3) schema asks: the title, the reading or "" when it equals
   the title, "", "", 0, the non-empty texts (text2 then text1, which the CSV joins), the
   1-based position, "".
4. A --row export holds that row's entries only; two runs give the same bytes.
"""
import csv
import hashlib
import io
import json
import os
import subprocess
import sys
import tempfile
import zipfile

exporter, data, version = sys.argv[1], sys.argv[2], sys.argv[3]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def csv_rows(*args):
    result = subprocess.run([exporter, "--csv", "--encoding", "utf-8", *args, data, "-"],
                            capture_output=True, check=True)
    return list(csv.reader(io.StringIO(result.stdout.decode("utf-8"), newline="")))


def export(path, *args):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1709251199")  # 2024-02-29 23:59:59 UTC
    result = subprocess.run([exporter, "--format", "yomitan", *args, data, path],
                            capture_output=True, env=env)
    check(result.returncode == 0 and result.stderr == b"", f"export {args}: {result}")
    with zipfile.ZipFile(path) as archive:
        check(archive.testzip() is None, "a member's CRC is wrong")
        names = [info.filename for info in archive.infolist()]
        check(names == ["index.json", "term_bank_1.json"], f"members {names}")
        for info in archive.infolist():
            check(info.date_time == (2024, 2, 29, 0, 0, 0), f"{info.filename}: {info.date_time}")
        return (json.loads(archive.read("index.json").decode("utf-8")),
                json.loads(archive.read("term_bank_1.json").decode("utf-8")))


def check_bank(bank, rows):
    check(len(bank) == len(rows), f"{len(bank)} terms for {len(rows)} rows")
    for position, (term, (title, reading, texts)) in enumerate(zip(bank, rows), 1):
        where = f"term {position} ({title})"
        check(isinstance(term, list) and len(term) == 8, f"{where}: not 8 items")
        if not isinstance(term, list) or len(term) != 8:
            continue
        check(term[0] == (title or reading), f"{where}: headword {term[0]!r}")
        check(term[1] == ("" if reading == term[0] else reading), f"{where}: reading {term[1]!r}")
        check(term[2:5] == ["", "", 0] and type(term[4]) is int, f"{where}: {term[2:5]!r}")
        definitions = term[5]
        check(isinstance(definitions, list) and 1 <= len(definitions) <= 2
              and all(isinstance(d, str) and d for d in definitions)
              and "".join(definitions) == texts, f"{where}: definitions {definitions!r}")
        check(term[6] == position and type(term[6]) is int, f"{where}: sequence {term[6]!r}")
        check(term[7] == "", f"{where}: term tags {term[7]!r}")


with open(data, "rb") as f:
    digest = hashlib.sha256(f.read()).hexdigest()

with tempfile.TemporaryDirectory() as folder:
    index, bank = export(os.path.join(folder, "all.zip"))
    allowed = {"title": str, "revision": str, "format": int, "sourceLanguage": str,
               "targetLanguage": str, "description": str}
    check(set(index) == set(allowed), f"index keys {sorted(index)}")
    check(all(type(index.get(key)) is kind for key, kind in allowed.items()), "index types")
    check(index.get("title") == "ホシノワ用語集", f"title {index.get('title')!r}")
    check(index.get("revision") == f"{version}-{digest[:12]}", f"revision {index.get('revision')!r}")
    check(index.get("format") == 3, "format is not 3")
    check(index.get("sourceLanguage") == index.get("targetLanguage") == "ja", "languages")
    check(index.get("description"), "no description")
    check_bank(bank, csv_rows())

    index, bank = export(os.path.join(folder, "ka.zip"), "--row", "か", "--title", "か行 試験")
    check(index.get("title") == "か行 試験", f"--title gave {index.get('title')!r}")
    check_bank(bank, csv_rows("--row", "か"))

    export(os.path.join(folder, "again.zip"))
    with open(os.path.join(folder, "all.zip"), "rb") as a, \
            open(os.path.join(folder, "again.zip"), "rb") as b:
        check(a.read() == b.read(), "a second run gave other bytes")

for failure in failures:
    print("FAIL:", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)

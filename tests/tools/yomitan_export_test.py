#!/usr/bin/python3
"""hoshiwa2-export --format yomitan read back by Python's zipfile and json modules.

usage: yomitan_export_test.py HOSHIWA2_EXPORT DATAFILE VERSION

The zip holds index.json and term_bank_1.json only, dated SOURCE_DATE_EPOCH's day. The index
has the keys and types Yomitan's index schema allows: the title (--title's, or ホシノワ用語集),
revision VERSION-<first 12 hex digits of DATAFILE's SHA-256>, format 3, languages "ja", a
description. The term bank has one 8-item array per row of the UTF-8 CSV export of the same
view, in its order, as Yomitan's term bank (format 3) schema lays it out. A character with no
Unicode form becomes U+FFFD and is reported with its record.
"""
import hashlib
import json
import os
import sys
import tempfile
import zipfile

from export_check import broken_copy, check, csv_rows, data, finish, run, utf8_export

version = sys.argv[3]


def export(path, view=(), title=()):
    args = (*view, *title)
    result = run("--format", "yomitan", *args, data, path,
                 SOURCE_DATE_EPOCH="1709251199")  # 2024-02-29 23:59:59 UTC
    check(result.returncode == 0 and result.stderr == b"", f"export {args}: {result}")
    rows = utf8_export("--csv", *view)
    with zipfile.ZipFile(path) as archive:
        check(archive.testzip() is None, "a member's CRC is wrong")
        check([(i.filename, i.date_time) for i in archive.infolist()]
              == [(name, (2024, 2, 29, 0, 0, 0)) for name in ("index.json", "term_bank_1.json")],
              f"members {archive.infolist()}")
        bank = json.loads(archive.read("term_bank_1.json").decode("utf-8"))
        check_bank(bank, csv_rows(rows))
        return json.loads(archive.read("index.json").decode("utf-8"))


def check_bank(bank, rows):
    check(len(bank) == len(rows) > 0, f"{len(bank)} terms for {len(rows)} rows")
    for position, (term, (title, reading, texts)) in enumerate(zip(bank, rows), 1):
        headword = title or reading
        expected = [headword, "" if reading == headword else reading, "", "", 0]
        check(term[:5] == expected and type(term[4]) is int, f"{title}: {term[:5]!r}")
        check(term[6:] == [position, ""] and len(term) == 8, f"{title}: {term[6:]!r}")
        definitions = term[5]  # text2 and text1, which the CSV joins, the empty ones left out
        check(1 <= len(definitions) <= 2 and all(isinstance(d, str) and d for d in definitions)
              and "".join(definitions) == texts, f"{title}: {definitions!r}")


with open(data, "rb") as f:
    digest = hashlib.sha256(f.read()).hexdigest()
with tempfile.TemporaryDirectory() as folder:
    index = export(os.path.join(folder, "all.zip"))
    check(index == {"title": "ホシノワ用語集", "revision": f"{version}-{digest[:12]}",
                    "format": 3, "sourceLanguage": "ja", "targetLanguage": "ja",
                    "description": index.get("description")}, f"index {index}")
    check(isinstance(index.get("description"), str) and index["description"], "no description")
    index = export(os.path.join(folder, "ka.zip"), ("--row", "か"), ("--title", "か行 試験"))
    check(index.get("title") == "か行 試験", f"--title gave {index.get('title')!r}")

    result = run("--format", "yomitan", broken_copy(folder), os.path.join(folder, "broken.zip"))
    with zipfile.ZipFile(os.path.join(folder, "broken.zip")) as archive:
        bank = json.loads(archive.read("term_bank_1.json").decode("utf-8"))
    hit = [term for term in bank if "\ufffd" in json.dumps(term, ensure_ascii=False)]
    check(result.returncode == 0 and len(hit) == 1 and f'record {hit[0][6]} "{hit[0][0]}": 1'
          in result.stderr.decode("utf-8"), f"U+FFFD in {len(hit)} terms: {result.stderr!r}")

finish("the dictionary read back")

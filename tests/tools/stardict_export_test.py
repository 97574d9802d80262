#!/usr/bin/python3
"""hoshiwa2-export --format stardict read back by StarDict's own tools.

usage: stardict_export_test.py HOSHIWA2_EXPORT DATAFILE

stardict-verify must accept the export of DATAFILE, and of a view without synonyms, with no
warning. sdcv's exact search (a binary search: a wrongly sorted .idx loses words) must find
every title and reading of the UTF-8 CSV export with the UTF-8 text export's lines below the
title; sdcv shows one entry per word, so a word several entries share finds one of them.
Runs with the same SOURCE_DATE_EPOCH are dated its day and give the same bytes; one that is not
a number of seconds since 1970 dates the dictionary today (UTC).
"""
import datetime
import json
import os
import subprocess
import tempfile

from export_check import check, csv_rows, data, finish, run, utf8_export

VERIFY = "/usr/lib/stardict-tools/stardict-verify"


def dictionary(name, *args, epoch="951825600"):
    ifo = os.path.join(folder, name, "d.ifo")
    os.makedirs(os.path.dirname(ifo))
    result = run("--format", "stardict", *args, data, ifo, SOURCE_DATE_EPOCH=epoch,
                 XDG_CACHE_HOME=folder)
    check(result.returncode == 0 and result.stderr == b"", f"{name}: {result}")
    return ifo


with tempfile.TemporaryDirectory() as folder:
    rows = csv_rows(utf8_export("--csv"))
    records = utf8_export().split("\r\n\r\n")[:-1]  # every text1 of the sample is non-empty
    check(len(rows) == len(records) == 294, f"{len(rows)} rows, {len(records)} records")
    ifo = dictionary("all")
    lone = dictionary("lone", "--search", "カナリア")  # read as it is written: no synonym
    check(sorted(os.listdir(os.path.dirname(lone))) == ["d.dict", "d.idx", "d.ifo"],
          "a view without synonyms has a .syn")
    for checked in (ifo, lone) if os.path.exists(VERIFY) else ():
        report = subprocess.run([VERIFY, checked], capture_output=True, text=True).stdout
        check("Verification result: OK." in report and "[warning]" not in report, report)

    expected = {}  # word -> the definitions of the entries it names
    for (title, reading, _), record in zip(rows, records):
        lines = record.split("\r\n")[1:]  # below the raw title
        if reading:
            lines.insert(1, "")  # the blank line after the reading
        for word in {title, reading} - {""}:
            expected.setdefault(word, []).append("\n".join(lines))
    words = sorted(expected)
    lookup = subprocess.run(["sdcv", "--data-dir", os.path.dirname(ifo), "-x", "-n", "-j", "-0",
                             "-1", "-e", *words], capture_output=True)
    answers = lookup.stdout.decode("utf-8").splitlines()
    check(len(answers) == len(words), f"sdcv answered {len(answers)} of {len(words)} words")
    for word, answer in zip(words, answers):
        found = [hit["definition"].lstrip("\n") for hit in json.loads(answer)]
        check(len(found) == 1 and found[0] in expected[word], f"{word}: {found!r}")
    shared = sum(len(definitions) > 1 for definitions in expected.values())
    check(shared < 10, f"{shared} words name several entries: the check above is weak")

    again = dictionary("again")
    for suffix in (".ifo", ".idx", ".dict", ".syn"):
        with open(ifo[:-4] + suffix, "rb") as a, open(again[:-4] + suffix, "rb") as b:
            check(a.read() == b.read(), f"a second run changed the {suffix}")
    with open(ifo, encoding="utf-8") as f:
        check("\ndate=2000.02.29\n" in f.read(), "not dated SOURCE_DATE_EPOCH's day")
    today = datetime.datetime.now(datetime.timezone.utc).strftime("%Y.%m.%d")
    for epoch, day in (("0", "1970.01.01"), ("", today), ("86400s", today), ("-1", today)):
        with open(dictionary("epoch" + epoch, epoch=epoch), encoding="utf-8") as f:
            check(f"\ndate={day}\n" in f.read(), f"SOURCE_DATE_EPOCH={epoch!r}: not {day}")

finish(f"{len(words)} words looked up")

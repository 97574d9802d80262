#!/usr/bin/python3
"""hoshiwa2-export --format stardict, read back by StarDict's own readers: sdcv looks every
title and every reading up, and stardict-verify (when installed) checks the files.

usage: stardict_export_test.py HOSHIWA2_EXPORT DATAFILE

1. stardict-verify accepts the export of DATAFILE, and of a view without synonyms, without a
   warning.
2. Every title and every reading of the UTF-8 CSV export finds its entry through sdcv's exact
   search (a binary search, so a wrongly sorted .idx loses words), and the definition is what
   the UTF-8 text export shows below the title: the reading in （）, a blank line, then the
   texts, line for line. A word several entries share finds one of them: sdcv shows one entry
   per dictionary and word.
3. Two runs with the same SOURCE_DATE_EPOCH give the same bytes, dated that day; a run into a
   missing folder fails with status 1 and leaves nothing.
"""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

exporter, data = sys.argv[1], sys.argv[2]
VERIFY = "/usr/lib/stardict-tools/stardict-verify"
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*args, env=None):
    return subprocess.run([exporter, *args], capture_output=True, env=env)


def export_utf8(*args):
    result = run(*args, "--encoding", "utf-8", data, "-")
    if result.returncode != 0:
        sys.exit(f"{exporter} {' '.join(args)} exited {result.returncode}")
    return result.stdout.decode("utf-8")


rows = list(csv.reader(io.StringIO(export_utf8("--csv"), newline="")))
# The sample's every text1 is non-empty, so a record ends at the first blank line.
records = export_utf8().split("\r\n\r\n")[:-1]
check(len(rows) == len(records) == 294, f"{len(rows)} CSV rows, {len(records)} text records")

with tempfile.TemporaryDirectory() as folder:
    env = dict(os.environ, SOURCE_DATE_EPOCH="951825600", XDG_CACHE_HOME=folder)
    ifo = os.path.join(folder, "dict", "glossary.ifo")
    os.mkdir(os.path.dirname(ifo))
    result = run("--format", "stardict", data, ifo, env=env)
    check(result.returncode == 0 and result.stderr == b"", f"export failed: {result}")
    names = sorted(os.listdir(os.path.dirname(ifo)))
    check(names == ["glossary.dict", "glossary.idx", "glossary.ifo", "glossary.syn"],
          f"files written: {names}")
    with open(ifo, encoding="utf-8") as f:
        info = f.read()
    check(info.startswith("StarDict's dict ifo file\nversion=2.4.2\nbookname=ホシノワ用語集\n"),
          f"ifo starts {info[:80]!r}")
    check("\ndate=2000.02.29\n" in info, "the ifo is not dated SOURCE_DATE_EPOCH's day")
    check("\nwordcount=294\n" in info, "wordcount is not 294")
    check(f"\nidxfilesize={os.path.getsize(ifo[:-4] + '.idx')}\n" in info, "idxfilesize")

    # 1. StarDict's own verifier, on the whole sample and on a view without synonyms (カナリア
    # is read as it is written).
    lone = os.path.join(folder, "lone", "d.ifo")
    os.mkdir(os.path.dirname(lone))
    run("--format", "stardict", "--search", "カナリア", data, lone, env=env)
    check(sorted(os.listdir(os.path.dirname(lone))) == ["d.dict", "d.idx", "d.ifo"],
          f"a view without synonyms wrote {os.listdir(os.path.dirname(lone))}")
    if os.path.exists(VERIFY):
        for checked in (ifo, lone):
            verify = subprocess.run([VERIFY, checked], capture_output=True, text=True)
            report = verify.stdout + verify.stderr
            check(verify.returncode == 0 and "Verification result: OK." in report
                  and "[warning]" not in report, f"stardict-verify: {report}")
    else:
        print("stardict-verify not installed: skipped")

    # 2. Every title and reading through sdcv. sdcv gives one entry per dictionary and word,
    # looking in the synonyms first, so a word shared by several entries (two titles alike, a
    # title that is another entry's reading, homophones) must find one of them.
    expected = {}  # word -> the definitions of the entries it names
    for (title, reading, _), record in zip(rows, records):
        lines = record.split("\r\n")[1:]  # below the raw title
        if reading:
            lines.insert(1, "")  # the blank line after the reading
        definition = "\n".join(lines)
        for word in {title, reading} - {""}:
            expected.setdefault(word, []).append(definition)
    words = sorted(expected)
    lookup = subprocess.run(["sdcv", "--data-dir", os.path.dirname(ifo), "-x", "-n", "-j", "-0",
                             "-1", "-e", *words], capture_output=True, env=env)
    answers = lookup.stdout.decode("utf-8").splitlines()
    check(len(answers) == len(words), f"sdcv answered {len(answers)} of {len(words)} words")
    shared = 0
    for word, answer in zip(words, answers):
        found = [hit["definition"].lstrip("\n") for hit in json.loads(answer)]
        check(len(found) == 1 and found[0] in expected[word],
              f"{word}: sdcv found {found!r}, expected one of {expected[word]!r}")
        shared += len(expected[word]) > 1
    check(shared < 10, f"{shared} words name several entries: the check above is weak")

    # 3. The same bytes again; nothing left by a failure.
    again = os.path.join(folder, "again.ifo")
    run("--format", "stardict", data, again, env=env)
    for suffix in (".ifo", ".idx", ".dict", ".syn"):
        with open(ifo[:-4] + suffix, "rb") as a, open(again[:-4] + suffix, "rb") as b:
            check(a.read() == b.read(), f"a second run changed the {suffix}")
    missing = os.path.join(folder, "none", "d.ifo")
    result = run("--format", "stardict", data, missing, env=env)
    check(result.returncode == 1 and result.stderr.decode() == "ファイルのオープンに失敗しました。\n",
          f"a missing folder gave {result.returncode}: {result.stderr!r}")

for failure in failures:
    print("FAIL:", failure)
print(f"{len(words)} words looked up; {len(failures)} failures")
sys.exit(1 if failures else 0)

#!/usr/bin/python3
# hoshiwa2-export --encoding utf-8, read back by readers nobody here wrote: Python's csv module
# and its cp932 codec.
#
# usage: utf8_export_test.py HOSHIWA2_EXPORT DATAFILE
#
# 1. Every UTF-8 CSV record of DATAFILE reads back as the same three fields as the Shift-JIS
#    export decoded by Python's cp932 codec, and the text form is that decoded text too (line
#    ends unchanged).
# 2. A copy of DATAFILE with one character replaced by 0x85 0x40 (a row CP932 leaves empty)
#    still exports with status 0; the character becomes U+FFFD, and standard error names the
#    count and the record, whose title it gives.

import tempfile

from export_check import broken_copy, check, csv_rows, data, finish, run


def export(*args, path=data):
    result = run(*args, path, "-")
    check(result.returncode == 0, f"{' '.join(args)} exited {result.returncode}: {result.stderr!r}")
    return result.stdout, result.stderr.decode("utf-8")


# 1. The sample as it is.
sjis_csv, _ = export("--csv")
utf8_csv, report = export("--csv", "--encoding", "utf-8")
expected = csv_rows(sjis_csv.decode("cp932"))
actual = csv_rows(utf8_csv.decode("utf-8"))
check(len(expected) == 294, f"the Shift-JIS CSV has {len(expected)} records")
check(all(len(r) == 3 for r in actual), "a UTF-8 record does not have three fields")
for number, (want, got) in enumerate(zip(expected, actual), 1):
    check(want == got, f"record {number}: {got!r} instead of {want!r}")
check(len(actual) == len(expected), f"{len(actual)} UTF-8 records, {len(expected)} expected")
check(report == "", f"a clean glossary gave a report: {report!r}")

sjis_text, _ = export()
utf8_text, _ = export("--encoding", "UTF-8")
check(utf8_text.decode("utf-8") == sjis_text.decode("cp932"), "the UTF-8 text form differs")
check(utf8_text.count(b"\r\n") == sjis_text.count(b"\r\n") > 0, "line ends changed")

# 2. One character with no Unicode form.
with tempfile.TemporaryDirectory() as folder:
    broken = broken_copy(folder)
    utf8_csv, report = export("--csv", "--encoding", "utf-8", path=broken)
    sjis_csv, _ = export("--csv", path=broken)
actual = csv_rows(utf8_csv.decode("utf-8"))
hit = [n for n, r in enumerate(actual, 1) if any("\ufffd" in field for field in r)]
check(len(hit) == 1, f"U+FFFD in records {hit}, expected in one")
check(utf8_csv.decode("utf-8").count("\ufffd") == 1, "not exactly one U+FFFD")
if len(hit) == 1:
    title = actual[hit[0] - 1][0]
    check(f"record {hit[0]} \"{title}\": 1" in report, f"report does not name record {hit[0]}")
    check(report.startswith("hoshiwa2-export: 1 byte sequence has no Unicode form and became "
                            "U+FFFD, in 1 record:\n"),
          f"report does not give the counts: {report!r}")
# Every other character is as Python decodes the Shift-JIS export around the broken one.
pieces = sjis_csv.split(b"\x85\x40")
check(len(pieces) == 2, "the Shift-JIS export does not hold the broken bytes once")
check(utf8_csv.decode("utf-8") == "\ufffd".join(p.decode("cp932") for p in pieces),
      "the rest of the UTF-8 export differs")

finish(f"{len(expected)} records read back field for field")

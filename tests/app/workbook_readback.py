"""roster-cli export read back with openpyxl: the day cells are the stored shifts (actual over
planned), the head counts count them, the 累計 sheet holds the figures of roster-cli totals, the
three sheets exist with their frozen panes, and an existing file is kept unless --overwrite.

Usage: workbook_readback.py ROSTER_CLI
"""

import re
import resource
import signal
import sqlite3
import subprocess
import sys
import tempfile
from pathlib import Path

import openpyxl


def run(cli, data, *args, limit=None):
    def full_disk():
        # Files stop growing at `limit` bytes, as on a full disk (a write fails, nobody is killed).
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))

    return subprocess.run([cli, "--data-dir", data, *args], capture_output=True, text=True,
                          timeout=120, preexec_fn=full_disk if limit else None)


def main(cli):
    failures = []

    def check(ok, what):
        if not ok:
            failures.append(what)

    with tempfile.TemporaryDirectory() as data:
        assert run(cli, data, "init", "--demo").returncode == 0
        generated = run(cli, data, "generate", "--register")
        period = re.search(r"(\d{4}/\d\d/\d\d) ～ (\d{4}/\d\d/\d\d)", generated.stdout)
        assert generated.returncode == 0 and period, generated.stderr
        start, end = period.groups()

        # A correction and an early duty, as the change screens record them.
        db = sqlite3.connect(Path(data) / "Rotavell.mdb")
        corrected = db.execute(
            "SELECT 勤_職員番号, 勤_勤務日 FROM 勤務表 WHERE 勤_区分 = 1 AND 勤_予定 = '日' "
            "AND 勤_勤務日 BETWEEN ? AND ? ORDER BY 勤_勤務日 DESC LIMIT 2", (start, end)).fetchall()
        db.execute("UPDATE 勤務表 SET 勤_実績 = '有' WHERE 勤_職員番号 = ? AND 勤_勤務日 = ?",
                   corrected[0])
        db.execute("UPDATE 勤務表 SET 勤_予定早出 = 2 WHERE 勤_職員番号 = ? AND 勤_勤務日 = ?",
                   corrected[1])
        db.commit()
        stored = {}
        for no, day, planned, actual in db.execute(
                "SELECT 勤_職員番号, 勤_勤務日, 勤_予定, 勤_実績 FROM 勤務表 WHERE 勤_区分 = 1 "
                "AND 勤_勤務日 BETWEEN ? AND ?", (start, end)):
            stored[(no, int(day[-2:]))] = actual or planned or None
        db.close()

        book = Path(data) / "勤務表.xlsx"
        exported = run(cli, data, "export", "--from", start, "--to", end, "--xlsx", str(book))
        check(exported.returncode == 0, "export failed: " + exported.stderr)
        wb = openpyxl.load_workbook(book)
        check(wb.sheetnames == ["勤務表", "累計", "品質"], "sheets: %s" % wb.sheetnames)
        check([wb[s].freeze_panes for s in wb.sheetnames] == ["C4", "C2", "C3"], "frozen panes")

        roster = wb["勤務表"]
        days = [c.value for c in roster[2][2:]]
        check(days == list(range(1, len(days) + 1)), "day headings %s" % days)
        cells, counts = {}, {}
        for row in roster.iter_rows(min_row=4, values_only=True):
            if row[1] and str(row[1]).endswith("勤者数"):
                counts[row[1][:-3]] = row[2:]
            elif row[0]:
                for d, shift in enumerate(row[2:], start=1):
                    cells[(row[0], d)] = shift
        people = {no for no, _ in stored}
        check(cells == {(no, d): stored.get((no, d)) for no in people
                        for d in range(1, len(days) + 1)}, "day cells differ from the stored shifts")
        for shift, per_day in counts.items():
            counted = tuple(sum(1 for no in people if cells[(no, d)] == shift)
                            for d in range(1, len(days) + 1))
            check(per_day == counted, "head counts of %s" % shift)
        check(roster.cell(*cell_of(roster, corrected[1])).comment.text == "早出", "early mark")

        totals = run(cli, data, "totals", "--from", start, "--to", end)
        lines = [l.split("\t") for l in totals.stdout.lstrip("\ufeff").splitlines()]
        sums = [i for i, h in enumerate(lines[0]) if h.startswith("合計")]
        expected = [[l[0], l[1]] + [int(l[i]) for i in sums] for l in lines[1:]]
        sheet = [list(r) for r in wb["累計"].iter_rows(min_row=2, values_only=True)]
        check(sheet[:-1] == expected, "累計 differs from roster-cli totals")
        check(sheet[-1][2:] == [sum(r[k] for r in expected) for k in range(2, len(sums) + 2)],
              "累計 total row")

        again = run(cli, data, "export", "--from", start, "--to", end, "--xlsx", str(book))
        check(again.returncode == 2 and "--overwrite" in again.stderr, "overwritten unasked")
        forced = run(cli, data, "export", "--from", start, "--to", end, "--xlsx", str(book),
                     "--overwrite")
        check(forced.returncode == 0, "--overwrite refused")
        other = run(cli, data, "export", "--from", "2001/04/01", "--to", "2001/04/30", "--xlsx",
                    str(Path(data) / "x.xlsx"))
        check("の勤務表は登録されていません。" in other.stderr and other.returncode == 1,
              "unregistered period")
        # Held open, the database's shared-memory file is already whole: the limit meets the
        # workbook only.
        keep_open = sqlite3.connect(Path(data) / "Rotavell.mdb")
        keep_open.execute("SELECT COUNT(*) FROM 勤務表").fetchone()
        full = run(cli, data, "export", "--from", start, "--to", end, "--xlsx",
                   str(Path(data) / "full.xlsx"), limit=8192)
        keep_open.close()
        check(full.returncode == 1 and "書き出せませんでした" in full.stderr,
              "full disk: " + full.stderr)
        check(sorted(p.name for p in Path(data).iterdir()) == ["Rotavell.mdb", "勤務表.xlsx"],
              "files left behind")

    for f in failures:
        print("FAILED:", f)
    return 1 if failures else 0


def cell_of(sheet, key):
    no, date = key
    for r in range(4, sheet.max_row + 1):
        if sheet.cell(r, 1).value == no:
            return r, int(date[-2:]) + 2
    raise KeyError(no)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

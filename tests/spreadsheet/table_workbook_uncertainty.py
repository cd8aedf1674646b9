#!/usr/bin/env python3
"""veloquin-cli xlsx --uncertainty read back by an independent reader: the table
sheet's column "U, м³" holds, at every printed level, the U that
veloquin-cli uncertainty states there, with the same --set; without the option
the sheet has no such column.

usage: table_workbook_uncertainty.py VELOQUIN_CLI SAMPLES_DIR WORK_DIR
"""
import json
import os
import subprocess
import sys
import unittest

import openpyxl

CLI, SAMPLES, WORK = sys.argv[1:4]
TABLE_SHEET = "Градуировочная таблица"


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=300)


def sample(name):
    return os.path.join(SAMPLES, name + ".vlq")


def table_rows(path):
    """The head row's texts and the rows under it of the table sheet."""
    book = openpyxl.load_workbook(path)
    sheet = next(book[name] for name in book.sheetnames if name.startswith(TABLE_SHEET))
    rows = [[cell.value for cell in row] for row in sheet.iter_rows()]
    return rows[0], rows[1:]


def u_at(stated, level):
    """U at a level, straight between the stated levels around it (a girdle's
    printed rows start at its own edge, between the table's levels)."""
    for (low, u_low), (high, u_high) in zip(stated, stated[1:]):
        if low <= level <= high:
            return u_low + (level - low) / (high - low) * (u_high - u_low)
    return stated[0][1] if level < stated[0][0] else stated[-1][1]


class WorkbookUncertainty(unittest.TestCase):
    def workbook(self, name, *options):
        out = os.path.join(WORK, name + "-".join(("",) + options).replace("=", "_") + ".xlsx")
        result = run("xlsx", sample(name), out, *options)
        self.assertEqual(result.returncode, 0, result.stderr)
        return table_rows(out)

    def stated(self, name, *sets):
        result = run("uncertainty", sample(name), "--json", *sets)
        self.assertEqual(result.returncode, 0, result.stderr)
        stated = json.loads(result.stdout)
        return list(zip(stated["levels_mm"], stated["U_m3"]))

    def test_the_column_is_the_stated_uncertainty_at_every_level(self):
        for name, sets in (("sample_rvs1000", ()), ("sample_rvs400", ("--set", "staff=5", "--set", "plumb=0"))):
            with self.subTest(name=name, sets=sets):
                head, rows = self.workbook(name, "--uncertainty", *sets)
                self.assertEqual(head[4], "U, м³")
                stated = self.stated(name, *sets)
                self.assertGreater(len(rows), 300)
                for row in rows:
                    self.assertAlmostEqual(row[4], u_at(stated, row[2]), delta=6e-5, msg=row)
        # The sources --set changes reach the column.
        plain = self.workbook("sample_rvs400", "--uncertainty")[1]
        changed = self.workbook("sample_rvs400", "--uncertainty", "--set", "staff=5", "--set", "plumb=0")[1]
        self.assertNotEqual([row[4] for row in plain], [row[4] for row in changed])

    def test_no_column_unless_asked_and_wrong_requests_refused(self):
        head, rows = self.workbook("sample_rvs1000")
        self.assertEqual(len([text for text in head if text is not None]), 4)
        out = os.path.join(WORK, "refused.xlsx")
        for options, blamed in ((("--uncertainty", "--monte-carlo", "100"), b"--set only"),
                                (("--uncertainty", "--set", "staff=-1"), b"staff"),
                                (("--set", "staff=1"), b"only for uncertainty")):
            with self.subTest(options=options):
                result = run("xlsx", sample("sample_rvs1000"), out, *options)
                self.assertEqual(result.returncode, 2)
                self.assertIn(blamed, result.stderr)
        result = run("table", sample("sample_rvs1000"), "--uncertainty")
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"--uncertainty is only for xlsx", result.stderr)


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=sys.argv[:1])

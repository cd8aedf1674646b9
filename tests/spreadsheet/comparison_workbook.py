#!/usr/bin/env python3
"""The comparison workbook read back by an independent reader: every number a
number with the format the user sees, the percent column showing 0.5 % as 0,500
under its "%" heading, the levels beyond the error marked, the girdles' sheet.

usage: comparison_workbook.py WRITER VELOQUIN_CLI SAMPLES_DIR WORK_DIR
"""
import os
import subprocess
import sys
import unittest

import openpyxl

WRITER, CLI, SAMPLES, WORK = sys.argv[1:5]
LEVELS_SHEET = "Сравнение по уровням"
GIRDLES_SHEET = "Сравнение по поясам"
HEADS = ["Уровень, мм", "Прежний объем, м³", "Новый объем, м³", "Разность, м³", "Разность, %", "Сверх погрешности"]


def work(name):
    return os.path.join(WORK, name)


def write(name, text):
    with open(work(name), "w", encoding="utf-8") as f:
        f.write(text)
    return work(name)


def compare(previous, current, name):
    out = work(name)
    result = subprocess.run([WRITER, previous, current, out], capture_output=True, timeout=120)
    assert result.returncode == 0, result.stderr
    return openpyxl.load_workbook(out)


def level_rows(book):
    """The head row and the rows under it of the levels' sheet."""
    rows = list(book[LEVELS_SHEET].iter_rows())
    head = next(i for i, row in enumerate(rows) if row[0].value == HEADS[0])
    return rows[:head], rows[head], rows[head + 1:]


def shown(cell):
    """The number a spreadsheet shows for the cell: a "%" format shows a hundred times the value."""
    return cell.value * 100 if "%" in cell.number_format else cell.value


class ComparisonWorkbook(unittest.TestCase):
    def test_differences_and_percent_read_back_with_their_formats(self):
        previous = write("previous.csv", "level_mm;volume_m3\n100;200\n200;400\n300;600\n400;800\n")
        # +1 m3 of 200 is +0.5 %, -2 of 400 is -0.5 %, a level between two previous ones is interpolated.
        current = write("current.csv", "level_mm;volume_m3\n100;201\n200;398\n250;500\n400;800\n")
        book = compare(previous, current, "percent.xlsx")
        self.assertEqual(book.sheetnames, [LEVELS_SHEET, GIRDLES_SHEET])
        above, head, rows = level_rows(book)
        self.assertEqual([c.value for c in head], HEADS)
        self.assertEqual(above[0][0].value, "Прежняя таблица: " + previous)
        self.assertEqual(above[1][0].value, "Новая таблица: " + current)
        expected = [(100, 200, 201, 1, 0.5), (200, 400, 398, -2, -0.5), (250, 500, 500, 0, 0), (400, 800, 800, 0, 0)]
        self.assertEqual(len(rows), len(expected))
        for cells, values in zip(rows, expected):
            self.assertEqual([c.value for c in cells[:4]], list(values[:4]))
            self.assertEqual([c.number_format for c in cells[1:4]], ["#,##0.000"] * 3)
            percent = cells[4]
            # The heading says "%": the cell holds the percent itself, shown with three decimals.
            self.assertEqual(percent.number_format, "0.000")
            self.assertAlmostEqual(shown(percent), values[4], places=12)
            self.assertIsNone(cells[5].value)
        # No tank file on either side: no error is stated, and the girdles' sheet has its heads only.
        self.assertFalse(any("Погрешность" in str(row[0].value) for row in above))
        girdles = list(book[GIRDLES_SHEET].iter_rows(values_only=True))
        self.assertEqual(girdles[0][:4], ("Пояс", "Прежняя вместимость по таблице, м³",
                                          "Новая вместимость по таблице, м³", "Разность, м³"))
        self.assertEqual(len(girdles), 1)

    def test_levels_beyond_the_error_and_the_girdles_against_a_tank(self):
        result = subprocess.run([CLI, "csv", os.path.join(SAMPLES, "sample_rvs400.vlq"), "--decimal-separator", "."],
                                capture_output=True, timeout=120)
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.decode("utf-8").splitlines()
        # The previous table 1 m3 higher from its row 300 up (its volumes never fall).
        for row in range(300, len(lines)):
            girdle, level, volume = lines[row].split(";")
            lines[row] = ";".join([girdle, level, "%.3f" % (float(volume) + 1.0)])
        previous = write("raised.csv", "\n".join(lines) + "\n")
        book = compare(previous, os.path.join(SAMPLES, "sample_rvs400.vlq"), "beyond.xlsx")
        above, head, rows = level_rows(book)
        # The title page of this sample states ±0,788 м куб.
        error = [row for row in above if row[0].value == "Погрешность определения вместимости, м³"]
        self.assertEqual(len(error), 1)
        self.assertEqual(error[0][3].value, 0.788)
        self.assertEqual(error[0][3].number_format, "#,##0.000")
        self.assertEqual(len(rows), len(lines) - 1)
        beyond = [cells for cells in rows if cells[5].value == "да"]
        self.assertEqual(len(beyond), len(lines) - 300)
        for cells in rows:
            marked = cells[5].value == "да"
            self.assertEqual(marked, cells[3].value == -1.0, cells[0].value)
            self.assertEqual(cells[3].fill.fgColor.rgb[-6:] == "FFC7CE", marked, cells[0].value)
            self.assertEqual(cells[3].number_format, "#,##0.000")
            self.assertTrue(all(isinstance(c.value, (int, float)) for c in cells[:5]))
            self.assertAlmostEqual(shown(cells[4]), cells[3].value / cells[1].value * 100, places=9)
        first = beyond[0]
        girdle, level, raised = lines[300].split(";")
        self.assertEqual(first[0].value, float(level))
        self.assertEqual(first[1].value, float(raised))
        self.assertEqual(first[2].value, round(float(raised) - 1.0, 3))

        girdles = list(book[GIRDLES_SHEET].iter_rows())
        self.assertEqual([c.value for c in girdles[0][:4]], ["Пояс", "Прежняя вместимость по таблице, м³",
                                                             "Новая вместимость по таблице, м³", "Разность, м³"])
        self.assertGreater(len(girdles), 2)
        for number, cells in enumerate(girdles[1:], start=1):
            self.assertEqual(cells[0].value, number)
            self.assertEqual(cells[0].number_format, "0")
            self.assertEqual([c.number_format for c in cells[1:4]], ["#,##0.000"] * 3)
            # The difference of the unrounded capacities, to three decimals at most.
            self.assertLessEqual(abs(cells[3].value - (cells[2].value - cells[1].value)), 0.0005 + 1e-9)


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=[sys.argv[0], "-v"])

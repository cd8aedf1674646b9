#!/usr/bin/env python3
"""The table leaving the program through veloquin-cli: workbooks read back by an
independent reader, gauge tables held against the full table, comparisons.

usage: cli_export.py VELOQUIN_CLI SAMPLES_DIR WORK_DIR
"""
import json
import os
import re
import subprocess
import sys
import unittest

import openpyxl

CLI, SAMPLES, WORK = sys.argv[1], sys.argv[2], sys.argv[3]
def load_json(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


SAMPLE_NAMES = [entry["name"] for entry in load_json(os.path.join(SAMPLES, "manifest.json"))
                if os.path.exists(os.path.join(SAMPLES, entry["name"] + ".table.comma.txt"))]
TABLE_LINE = re.compile(r"^Пояс №(\d+)\t\th =\t([-\d,E]+)\t\tV =\t([-\d ,]+)$")


def run(*args):
    env = dict(os.environ)
    for key in ("LC_ALL", "LC_NUMERIC", "LANG"):
        env.pop(key, None)
    return subprocess.run([CLI, *args], capture_output=True, env=env, timeout=120)


def work(name):
    return os.path.join(WORK, name)


def sample(name):
    return os.path.join(SAMPLES, name + ".vlq")


def number(text):
    return float(text.replace(" ", "").replace(",", "."))


def reference_table(name):
    """(girdle, level text, volume text) of every line of the independently computed table."""
    rows = []
    with open(os.path.join(SAMPLES, name + ".table.comma.txt"), encoding="utf-8") as f:
        for line in f.read().splitlines():
            match = TABLE_LINE.match(line)
            assert match, line
            rows.append((int(match.group(1)), match.group(2), match.group(3)))
    return rows


ROW_HEIGHT, FIRST_ROW_TOP, BLOCK_PITCH, FIRST_LEVEL_RIGHT, VOLUME_OFFSET = 4.0, 70.0, 43.0, 41.5, 23.0
GIRDLE_HEAD = re.compile(r"^(\d+)-го пояса$")


def calibration_sheets(name):
    pages = load_json(os.path.join(SAMPLES, name + ".pages.json"))
    first = pages["documents"]["protocol"]
    return pages["pages"][first:first + pages["documents"]["calibration_table"]]


def printed_rows(name):
    """(girdle, level text in cm, volume text) of every row of the printed table's sheets, in order."""
    rows, girdle = [], None
    # A girdle is named on its last sheet (beside its fractional table): the sheets are read from the end.
    for sheet in reversed(calibration_sheets(name)):
        girdle = next((int(m.group(1)) for m in (GIRDLE_HEAD.match(t.get("text", "")) for t in sheet) if m), girdle)
        sheet_rows = []
        for block in range(4):
            right = FIRST_LEVEL_RIGHT + BLOCK_PITCH * block
            levels = {t["y"]: t["text"] for t in sheet if t.get("anchor") == ["right", right]
                      and t["y"] >= FIRST_ROW_TOP}
            volumes = {t["y"]: t["text"] for t in sheet if t.get("anchor") == ["right", right + VOLUME_OFFSET]
                       and t["y"] >= FIRST_ROW_TOP}
            # Block 4 holds the fractional table below its rows: a row is a level with a volume beside it,
            # and the rows follow each other without a gap.
            y = FIRST_ROW_TOP
            while y in levels and y in volumes:
                sheet_rows.append((girdle, levels[y], volumes[y]))
                y += ROW_HEIGHT
        rows = sheet_rows + rows
    return rows


def printed_fractions(name):
    """The capacities of the fractional parts of a centimetre on the printed table's sheets, in order."""
    sheets = calibration_sheets(name)
    labels = ["0,%d" % i for i in range(1, 10)]
    shown = []
    for sheet in sheets:
        # Block 4 puts capacities at the same x: the rows are told by their labels 0,1 to 0,9.
        rows = {t["y"] for t in sheet if t.get("anchor") == ["right", 170.5] and t["text"] in labels}
        shown += [t["text"] for t in sorted(sheet, key=lambda t: t["y"])
                  if t.get("anchor") == ["right", 193.5] and t["y"] in rows]
    return shown


def interpolated(points, level):
    """The volume at a level on the line through (level, volume) points in increasing level."""
    for (h0, v0), (h1, v1) in zip(points, points[1:]):
        if h0 <= level <= h1:
            return v0 if h1 == h0 else v0 + (v1 - v0) * (level - h0) / (h1 - h0)
    raise AssertionError("level %s outside the table" % level)


def departure_litres(full, points):
    """The largest distance of the polyline through points from the full table, in litres."""
    largest, segment = 0.0, 0
    for level, volume in full:
        while segment + 2 < len(points) and points[segment + 1][0] < level:
            segment += 1
        (h0, v0), (h1, v1) = points[segment], points[segment + 1]
        largest = max(largest, abs(v0 + (v1 - v0) * (level - h0) / (h1 - h0) - volume) * 1000)
    return largest


def parse_gauge(stdout):
    text = stdout.decode("utf-8")
    stated = number(re.search(r"Наибольшее отклонение от полной таблицы: ([\d. ]+) л", text).group(1))
    lines = text.splitlines()
    header = lines.index("level_mm;volume_m3")
    points = [tuple(float(v) for v in line.split(";")) for line in lines[header + 1:]]
    return stated, points, text


class Workbook(unittest.TestCase):
    def test_every_sample_reads_back_as_its_printed_table_row_for_row(self):
        for name in SAMPLE_NAMES:
            with self.subTest(name):
                path = work(name + ".xlsx")
                result = run("xlsx", sample(name), path)
                self.assertEqual(result.returncode, 0, result.stderr)
                book = openpyxl.load_workbook(path)
                self.assertEqual(book.sheetnames[:3], ["Градуировочная таблица", "Доли сантиметра",
                                                       "Исходные данные"])
                sheet = book["Градуировочная таблица"]
                self.assertEqual([c.value for c in sheet[1]], ["Пояс", "Уровень, см", "Уровень, мм",
                                                              "Вместимость, м³"])
                rows = list(sheet.iter_rows(min_row=2))
                printed = printed_rows(name)
                self.assertEqual(len(rows), len(printed))
                for cells, (girdle, level, volume) in zip(rows, printed):
                    values = [c.value for c in cells]
                    self.assertTrue(all(isinstance(v, (int, float)) for v in values), values)
                    self.assertEqual(values[0], girdle)
                    self.assertEqual(values[1], number(level), level)
                    self.assertAlmostEqual(values[2], number(level) * 10, places=9)
                    self.assertEqual(values[3], number(volume), volume)
                    self.assertEqual(cells[3].number_format, "#,##0.000")
                # Every level of the independently computed table within the printed one lies on its line.
                points = [(v[2], v[3]) for v in sheet.iter_rows(min_row=2, values_only=True)]
                for _, level, volume in reference_table(name):
                    if points[0][0] <= number(level) <= points[-1][0]:
                        self.assertAlmostEqual(interpolated(points, number(level)), number(volume), delta=0.0015,
                                               msg=level)

                facts = load_json(os.path.join(SAMPLES, name + ".json"))
                self.assertEqual(book.properties.title, facts["Name"])
                self.assertIn("Veloquin", book.properties.description)
                inputs = [v for row in book["Исходные данные"].iter_rows(values_only=True) for v in row]
                for key in ("RegNumber", "MestoIzmer", "SredstvaIzmer"):
                    if facts[key]:
                        self.assertIn(facts[key], inputs, key)
                self.assertIn(facts["ExtCircumference"], inputs)
                fractions = book["Доли сантиметра"]
                self.assertEqual(fractions.max_row, 2 + facts["GirdleCount"])
                # The fractional parts are those the printed table shows, girdle by girdle.
                shown = [("%.3f" % v).replace(".", ",") for row in fractions.iter_rows(min_row=3, min_col=2,
                                                                                       values_only=True)
                         for v in row if v is not None]
                self.assertEqual(shown, printed_fractions(name))

    def test_a_failed_write_keeps_the_earlier_file_and_says_why(self):
        blocker = work("not-a-folder")
        with open(blocker, "w") as f:
            f.write("x")
        result = run("xlsx", sample("default"), os.path.join(blocker, "out.xlsx"))
        self.assertEqual(result.returncode, 3)
        self.assertIn(b"out.xlsx: ", result.stderr)
        kept = work("kept.xlsx")
        with open(kept, "w") as f:
            f.write("earlier")
        os.makedirs(work("folder.xlsx"), exist_ok=True)
        self.assertEqual(run("xlsx", sample("default"), work("folder.xlsx")).returncode, 3)
        with open(kept) as f:
            self.assertEqual(f.read(), "earlier")
        # A temporary folder that cannot be made is named, not the workbook's folder.
        env = dict(os.environ, TMPDIR=blocker)
        result = subprocess.run([CLI, "xlsx", sample("default"), kept], capture_output=True, env=env, timeout=120)
        self.assertEqual(result.returncode, 3)
        self.assertIn("временную папку в «".encode(), result.stderr)
        self.assertIn("» (TMPDIR)".encode(), result.stderr)
        with open(kept) as f:
            self.assertEqual(f.read(), "earlier")


    def test_any_name_gives_a_workbook_a_strict_reader_opens(self):
        with open(sample("default"), "rb") as f:
            data = f.read()
        length = int.from_bytes(data[4:8], "little")
        for label, name in (("vt", "РВС\x0bстрока\x01"), ("breaks", "РВС\r\n№7\nB;0;999"), ("long", "Р" * 300)):
            with self.subTest(label):
                raw = name.encode("cp1251")
                tank = work("name-%s.vlq" % label)
                with open(tank, "wb") as f:
                    f.write(data[:4] + len(raw).to_bytes(4, "little") + raw + data[8 + length:])
                book_path = work("name-%s.xlsx" % label)
                result = run("xlsx", tank, book_path)
                self.assertEqual(result.returncode, 0, result.stderr)
                book = openpyxl.load_workbook(book_path)
                title = book.properties.title
                self.assertLessEqual(len(title.encode("utf-8")), 255)
                self.assertFalse(any(ord(c) < 32 for c in title), repr(title))
                self.assertTrue(name.replace("\x0b", " ").replace("\x01", " ").replace("\r", " ")
                                .replace("\n", " ").startswith(title), repr(title))
                cells = [row for row in book["Исходные данные"].iter_rows(values_only=True) if row[0] == "Название"]
                self.assertEqual(cells[0][1], name.replace("\x0b", "\n").replace("\x01", " ").replace("\r", " "))


class Gauge(unittest.TestCase):
    def full_table(self, name):
        return [(number(level), number(volume)) for _, level, volume in reference_table(name)]

    def gauge(self, name, *options):
        result = run("gauge", sample(name), "--decimal-separator", ".", *options)
        self.assertEqual(result.returncode, 0, result.stderr)
        return parse_gauge(result.stdout)

    def test_stated_departure_is_the_true_one_on_every_sample(self):
        for name in SAMPLE_NAMES:
            full = self.full_table(name)
            for count in (2, 30, 5000):
                with self.subTest(name=name, points=count):
                    stated, points, text = self.gauge(name, "--points", str(count))
                    self.assertEqual(len(points), min(count, len(full)) if count != 30 else len(points))
                    self.assertLessEqual(len(points), count)
                    self.assertEqual(points[0], full[0])
                    self.assertEqual(points[-1], full[-1])
                    self.assertTrue(set(points) <= set(full))
                    self.assertAlmostEqual(stated, departure_litres(full, points), delta=0.05)
                    self.assertIn("# Объем ниже первого уровня: %.3f м3" % full[0][1], text)

    def test_max_error_gives_the_fewest_points(self):
        for name in SAMPLE_NAMES:
            full = self.full_table(name)
            for litres in ("2", "25,5"):
                with self.subTest(name=name, litres=litres):
                    stated, points, _ = self.gauge(name, "--max-error", litres)
                    limit = number(litres)
                    self.assertLessEqual(departure_litres(full, points), limit + 1e-6)
                    if len(points) > 2:
                        _, fewer, _ = self.gauge(name, "--points", str(len(points) - 1))
                        self.assertGreater(departure_litres(full, fewer), limit)

    def test_wrong_requests_are_refused(self):
        self.assertEqual(run("gauge", sample("default")).returncode, 2)
        self.assertEqual(run("gauge", sample("default"), "--points", "5", "--max-error", "1").returncode, 2)
        self.assertEqual(run("table", sample("default"), "--points", "5").returncode, 2)
        self.assertEqual(run("gauge", sample("default"), "--points", "many").returncode, 2)
        # A value out of range blames the option, with its range, not the tank file.
        for points in ("1", "5001", "-3"):
            result = run("gauge", sample("default"), "--points", points)
            self.assertEqual(result.returncode, 2)
            self.assertIn(("--points must be from 2 to 5000, not %s\n" % points).encode(), result.stderr)
        for litres in ("0", "inf", "nan", "-1", "1e999"):
            result = run("gauge", sample("default"), "--max-error", litres)
            self.assertEqual(result.returncode, 2, litres)
            self.assertIn(b"--max-error must be a finite number of litres, at least 0.001", result.stderr)
            self.assertNotIn(sample("default").encode(), result.stderr)

    def test_every_layout_compares_equal_to_the_plain_file(self):
        plain = work("layout-plain.csv")
        with open(plain, "wb") as f:
            f.write(run("gauge", sample("sample_rvs400"), "--points", "25").stdout)
        for level in ("mm", "cm"):
            for volume in ("m3", "l"):
                for separator in (".", ","):
                    for touch in ((), ("--touch-point-row",)):
                        options = ("--level-unit", level, "--volume-unit", volume, "--decimal-separator", separator)
                        with self.subTest(options=options + touch):
                            result = run("gauge", sample("sample_rvs400"), "--points", "25", *options, *touch)
                            self.assertEqual(result.returncode, 0, result.stderr)
                            text = result.stdout.decode("utf-8")
                            self.assertIn("\nlevel_%s;volume_%s\n" % (level, volume), text)
                            rows = text.split("\n" + "level_")[1].split("\n")[1:-1]
                            self.assertEqual(len(rows), 25 + len(touch))
                            self.assertEqual(rows[0].startswith("0;"), bool(touch))
                            variant = work("layout-%s-%s-%s-%d.csv" % (level, volume, ord(separator), len(touch)))
                            with open(variant, "wb") as f:
                                f.write(result.stdout)
                            compared = run("compare", variant, plain, "--csv")
                            self.assertEqual(compared.returncode, 0, compared.stderr)
                            lines = compared.stdout.decode("utf-8").split("\n")[1:-1]
                            self.assertEqual(len(lines), 25)
                            self.assertTrue(all(line.split(";")[3] == "0.000" for line in lines), lines)

    def test_wrong_layouts_are_refused_naming_the_option(self):
        for options, blamed in ((("--level-unit", "m"), b"--level-unit must be mm or cm, not m"),
                                (("--volume-unit", "dm3"), b"--volume-unit must be m3 or l, not dm3"),
                                (("--decimal-separator", ";"), b"--decimal-separator must be '.' or ','")):
            result = run("gauge", sample("default"), "--points", "5", *options)
            self.assertEqual(result.returncode, 2, options)
            self.assertIn(blamed, result.stderr)
        result = run("csv", sample("default"), "--touch-point-row")
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"only for gauge", result.stderr)

    def test_a_name_with_line_breaks_stays_in_its_comment_line(self):
        # The name's length and bytes follow the version at the start of the file.
        with open(sample("default"), "rb") as f:
            data = f.read()
        length = int.from_bytes(data[4:8], "little")
        name = "РВС\n№7\r\nB;0;999\x0b\tконец".encode("cp1251")
        path = work("broken-name.vlq")
        with open(path, "wb") as f:
            f.write(data[:4] + len(name).to_bytes(4, "little") + name + data[8 + length:])
        result = run("gauge", path, "--points", "20", "--decimal-separator", ".")
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.decode("utf-8").split("\n")
        self.assertEqual(lines[0], "# Резервуар: РВС №7  B;0;999  конец")
        self.assertTrue(all(line.startswith("#") for line in lines[:lines.index("level_mm;volume_m3")]))
        # The program's own compare reads its own gauge file back.
        gauge = work("broken-name.gauge.csv")
        with open(gauge, "wb") as f:
            f.write(result.stdout)
        result = run("compare", gauge, path)
        self.assertIn(result.returncode, (0, 1), result.stderr)


class Compare(unittest.TestCase):
    def write(self, name, text):
        with open(work(name), "w", encoding="utf-8") as f:
            f.write(text)
        return work(name)

    def csv_of(self, name):
        result = run("csv", sample(name), "--decimal-separator", ".")
        self.assertEqual(result.returncode, 0)
        return result.stdout.decode("utf-8")

    def test_a_sample_against_itself_and_against_its_csv(self):
        for name in SAMPLE_NAMES:
            with self.subTest(name):
                result = run("compare", sample(name), sample(name), "--csv", "--decimal-separator", ".")
                self.assertEqual(result.returncode, 0, result.stderr)
                lines = result.stdout.decode().splitlines()
                self.assertEqual(lines[0], "level_mm;previous_m3;new_m3;difference_m3;difference_percent;beyond_error")
                self.assertEqual(len(lines) - 1, len(reference_table(name)))
                self.assertTrue(all(line.split(";")[3] == "0.000" for line in lines[1:]))
                old = self.write(name + ".csv", self.csv_of(name))
                result = run("compare", old, sample(name))
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertIn("Разность в пределах погрешности.".encode(), result.stdout)

    def test_a_difference_beyond_the_stated_error_fails(self):
        lines = self.csv_of("sample_rvs400").splitlines()
        # The previous table 1 m3 higher from row 300 up (its volumes never fall).
        for row in range(300, len(lines)):
            girdle, level, volume = lines[row].split(";")
            lines[row] = ";".join([girdle, level, "%.3f" % (float(volume) + 1.0)])
        girdle, level, volume = self.csv_of("sample_rvs400").splitlines()[300].split(";")
        old = self.write("changed.csv", "\n".join(lines) + "\n")
        result = run("compare", old, sample("sample_rvs400"), "--decimal-separator", ".")
        self.assertEqual(result.returncode, 1, result.stderr)
        out = result.stdout.decode()
        # The title page of this sample states ±0,788 м куб.
        self.assertTrue("Погрешность определения вместимости: ±0.788 м куб." in out)
        self.assertTrue("\n%s\t%.3f\t%s\t-1.000\t" % (level, float(volume) + 1.0, volume) in out)
        beyond = len(lines) - 300
        self.assertEqual(out.count("сверх погрешности"), beyond + 1)  # and the girdle of row 300
        self.assertIn("Разность вместимостей превышает погрешность у 1 пояса.", out)
        self.assertTrue("Разность превышает погрешность на %d уровнях." % beyond in out, out[-500:])

    def test_bad_tables_are_refused_with_the_line_named(self):
        cases = {
            "text.csv": ("level_mm;volume_m3\n100;5\n110;пять\n", "Строка 3: объем «пять» — не число."),
            "down.csv": ("100;5\n90;6\n", "Строка 2: уровень «90» мм не выше предыдущего"),
            "empty.csv": ("", "В файле нет ни одной строки таблицы"),
        }
        for file, (text, message) in cases.items():
            with self.subTest(file):
                path = self.write(file, text)
                result = run("compare", path, sample("default"))
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
                self.assertIn((path + ": " + message).encode(), result.stderr)

    def test_another_tank_is_said_not_refused(self):
        result = run("compare", sample("sample_rvs1000"), sample("sample_rvs400"))
        self.assertIn(result.returncode, (0, 1))
        self.assertIn("Внимание: Резервуары названы по-разному".encode(), result.stdout)
        self.assertIn("Уровень, мм".encode(), result.stdout)


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=[sys.argv[0], "-v"])

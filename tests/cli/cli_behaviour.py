#!/usr/bin/env python3
"""veloquin-cli as scripts use it: commands, exit codes, messages, separators.

usage: cli_behaviour.py VELOQUIN_CLI WORK_DIR
"""
import json
import os
import stat
import struct
import subprocess
import sys
import unittest

CLI, WORK = sys.argv[1], sys.argv[2]


# The exit statuses --help lists.
READ_FAILED, WRITE_FAILED = 2, 3


def run(*args, env_update=None):
    env = dict(os.environ)
    for key in ("LC_ALL", "LC_NUMERIC", "LANG"):
        env.pop(key, None)
    env.update(env_update or {})
    return subprocess.run([CLI, *args], capture_output=True, env=env, timeout=60)


def work(name):
    return os.path.join(WORK, name)


def new_tank(name):
    path = work(name)
    result = run("new", path)
    assert result.returncode == 0, result.stderr
    return path


# Offsets in the file of a new tank (8 girdles, 12 generatrices, name of 10 bytes).
OFFSET_GIRDLE_HEIGHT_OUTER = 4 + 14 + 4 + 4 + 16 + 4 + 8 * 8 + 8 + 4 + 21 * 12 * 8
OFFSET_DESIGN_FILL_HEIGHT = OFFSET_GIRDLE_HEIGHT_OUTER + 3 * 8 * 8 + 4 * 8


def patched(source, target, offset, value):
    with open(source, "rb") as f:
        data = bytearray(f.read())
    data[offset:offset + 8] = struct.pack("<d", value)
    with open(target, "wb") as f:
        f.write(data)
    return target


class Commands(unittest.TestCase):
    def test_new_tank_table_has_581_lines(self):
        path = new_tank("table-new.vlq")
        result = run("table", path, "--decimal-separator", ",")
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.decode("utf-8").split("\n")
        self.assertEqual(lines[-1], "")  # every line ends with "\n"
        self.assertEqual(len(lines) - 1, 581)
        self.assertEqual(lines[0], "Пояс №1\t\th =\t200\t\tV =\t6,337")
        self.assertTrue(lines[580].startswith("Пояс №8\t\th =\t6000\t\tV =\t"), lines[580])

    def test_new_then_resave_gives_identical_bytes(self):
        first = new_tank("resave-a.vlq")
        second = work("resave-b.vlq")
        result = run("resave", first, second)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, b"")
        with open(first, "rb") as a, open(second, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_resave_replaces_an_existing_file(self):
        source = new_tank("replace-source.vlq")
        target = work("replace-target.vlq")
        with open(target, "wb") as f:
            f.write(b"x" * 100000)
        self.assertEqual(run("resave", source, target).returncode, 0)
        self.assertEqual(os.path.getsize(target), os.path.getsize(source))
        self.assertEqual([n for n in os.listdir(WORK) if n.endswith(".tmp")], [])

    def test_show_is_standard_json(self):
        path = new_tank("show.vlq")
        result = run("show", path)
        self.assertEqual(result.returncode, 0, result.stderr)
        values = json.loads(result.stdout.decode("utf-8"))
        self.assertEqual(values["Name"], "Резервуар1")
        self.assertEqual(values["TankFileVersion"], 1)
        self.assertEqual(values["ProtocolSheetCount"], 6)
        self.assertEqual(len(values["CalibrationSheets"]), 8)
        self.assertEqual(len(values["PlumbDistance"]), 21)
        self.assertEqual(values["ExtCircumference"], 19998.0)
        self.assertIs(values["Modified"], False)

    def test_show_ignores_the_decimal_separator(self):
        path = new_tank("show-comma.vlq")
        dot = run("show", path)
        comma = run("show", path, "--decimal-separator", ",")
        self.assertEqual(dot.stdout, comma.stdout)

    def test_csv_rows(self):
        path = new_tank("csv.vlq")
        result = run("csv", path, "--decimal-separator", ",")
        self.assertEqual(result.returncode, 0, result.stderr)
        rows = result.stdout.decode("utf-8").splitlines()
        self.assertEqual(rows[0], "girdle;level_mm;volume_m3")
        self.assertEqual(len(rows), 582)
        self.assertEqual(rows[1], "1;200;6,337")
        girdle, level, volume = rows[-1].split(";")
        self.assertEqual((girdle, level), ("8", "6000"))
        self.assertNotIn(" ", volume)

    def test_csv_never_groups_thousands(self):
        source = new_tank("csv-big-source.vlq")
        # A girdle 8 of 40 m and the design fill at its top: volumes above 1000 m3.
        big = patched(source, work("csv-big.vlq"), OFFSET_GIRDLE_HEIGHT_OUTER + 7 * 8, 40000)
        big = patched(big, big, OFFSET_DESIGN_FILL_HEIGHT, 45600)
        text = run("table", big).stdout.decode("utf-8").splitlines()
        self.assertRegex(text[-1], r"V =\t\d \d{3}\.\d{3}$")
        rows = run("csv", big).stdout.decode("utf-8").splitlines()
        self.assertRegex(rows[-1], r"^8;45600;\d{4}\.\d{3}$")


class Separators(unittest.TestCase):
    def test_locale_without_comma_gives_point(self):
        path = new_tank("separator.vlq")
        result = run("table", path, env_update={"LC_ALL": "C"})
        self.assertIn(b"\tV =\t6.337\n", result.stdout)

    def test_option_overrides_the_locale(self):
        path = new_tank("separator-option.vlq")
        result = run("table", path, "--decimal-separator=,", env_update={"LC_ALL": "C"})
        self.assertIn(b"\tV =\t6,337\n", result.stdout)


class Failures(unittest.TestCase):
    def assertUsage(self, result):
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"usage: veloquin-cli", result.stderr)
        self.assertEqual(result.stdout, b"")

    def test_wrong_usage_exits_with_2(self):
        self.assertUsage(run())
        self.assertUsage(run("print", "x.vlq"))
        self.assertUsage(run("table"))
        self.assertUsage(run("resave", "a.vlq"))
        self.assertUsage(run("table", "a.vlq", "b.vlq"))
        self.assertUsage(run("table", "a.vlq", "--decimal-separator", ";"))
        self.assertUsage(run("table", "a.vlq", "--decimal-separator"))
        self.assertUsage(run("table", "a.vlq", "--verbose"))

    def test_help_lists_every_command(self):
        result = run("--help")
        self.assertEqual(result.returncode, 0)
        for command in (b"table", b"csv", b"show", b"new", b"resave"):
            self.assertIn(command, result.stdout)
        for status in (b"  0  ", b"  1  ", b"  2  ", b"  3  "):
            self.assertIn(status, result.stdout.split(b"exit status:")[1])

    def test_missing_file(self):
        path = work("does-not-exist.vlq")
        result = run("table", path)
        self.assertEqual(result.returncode, 2)
        self.assertEqual(result.stderr.decode("utf-8"), f"{path}: File not found\n")
        self.assertEqual(result.stdout, b"")

    def test_file_cut_short(self):
        source = new_tank("cut-source.vlq")
        with open(source, "rb") as f:
            data = f.read()
        path = work("Резервуар5.vlq")
        with open(path, "wb") as f:
            f.write(data[:1000])
        for command in ("table", "csv", "show"):
            result = run(command, path)
            self.assertEqual(result.returncode, 2)
            self.assertEqual(result.stderr.decode("utf-8"), f"{path}: Read beyond end of file\n")
            self.assertEqual(result.stdout, b"")

    def test_unwritable_target_names_it_and_leaves_nothing(self):
        blocker = work("a-regular-file")
        with open(blocker, "w") as f:
            f.write("not a directory")
        target = os.path.join(blocker, "out.vlq")
        result = run("new", target)
        self.assertEqual(result.returncode, 3)
        self.assertEqual(result.stderr.decode("utf-8"), f"{target}: Path not found\n")
        missing = work("no-such-folder/out.vlq")
        result = run("new", missing)
        self.assertEqual(result.returncode, 3)
        self.assertEqual(result.stderr.decode("utf-8"), f"{missing}: Path not found\n")

    def test_table_of_millions_of_levels_is_refused(self):
        source = new_tank("huge-source.vlq")
        # Girdle 8 typed as 8 000 000 mm instead of 8000, the design fill at its top.
        huge = patched(source, work("huge.vlq"), OFFSET_GIRDLE_HEIGHT_OUTER + 7 * 8, 8000000)
        huge = patched(huge, huge, OFFSET_DESIGN_FILL_HEIGHT, 8005600)
        for command in ("table", "csv"):
            result = run(command, huge)
            self.assertEqual(result.returncode, 1)
            self.assertEqual(result.stdout, b"")
            self.assertEqual(result.stderr.decode("utf-8"),
                             f"{huge}: Число уровней градуировочной таблицы — 800 541, "
                             "допускается не более 100 000.\n")
        self.assertEqual(run("show", huge).returncode, 0)

    def test_output_that_cannot_be_written_fails(self):
        if not os.path.exists("/dev/full"):
            self.skipTest("no /dev/full")
        path = new_tank("full.vlq")
        # Every command that writes to standard output, a fault found or not: the
        # write failure is said and has its own status.
        for args in (("table", path), ("csv", path), ("show", path), ("check", "--json", path),
                     ("gauge", path, "--points", "5"), ("compare", path, path), ("--help",)):
            with open("/dev/full", "wb") as full:
                result = subprocess.run([CLI, *args], stdout=full, stderr=subprocess.PIPE, timeout=60)
            self.assertEqual(result.returncode, WRITE_FAILED, args)
            self.assertIn(b"standard output: ", result.stderr, args)


# Field 22 of a new tank: after the plumb values, three girdle lists and six values.
OFFSET_DETAIL_COUNT = 122 + 21 * 12 * 8 + 3 * 8 * 8 + 6 * 8


def with_details(source, target, count):
    with open(source, "rb") as f:
        data = f.read()
    assert data[OFFSET_DETAIL_COUNT:OFFSET_DETAIL_COUNT + 4] == b"\0\0\0\0"
    detail = b"\1" + struct.pack("<5d", 0.001, 100.0, 400.0, 0.0, 0.0)
    with open(target, "wb") as f:
        f.write(data[:OFFSET_DETAIL_COUNT] + struct.pack("<i", count) + detail * count
                + data[OFFSET_DETAIL_COUNT + 4:])
    return target


class FilesThatAreNotWhatTheySeem(unittest.TestCase):
    def assertRefused(self, result, path, message, status=READ_FAILED):
        self.assertEqual(result.returncode, status)
        self.assertEqual(result.stdout, b"")
        self.assertEqual(result.stderr.decode("utf-8"), f"{path}: {message}\n")

    def test_pipe_is_neither_read_nor_replaced(self):
        source = new_tank("pipe-source.vlq")
        pipe = work("pipe")
        if os.path.exists(pipe):
            os.remove(pipe)
        os.mkfifo(pipe)
        # Without a writer a blocking open would wait for ever; run() gives up after 60 s.
        for command in ("table", "csv", "show"):
            self.assertRefused(run(command, pipe), pipe, "Это канал, а не файл")
        self.assertRefused(run("resave", source, pipe), pipe, "Это канал, а не файл", WRITE_FAILED)
        self.assertRefused(run("new", pipe), pipe, "Это канал, а не файл", WRITE_FAILED)
        self.assertTrue(stat.S_ISFIFO(os.stat(pipe).st_mode))

    def test_folder_given_as_a_file(self):
        folder = work("a-folder.vlq")
        os.makedirs(folder, exist_ok=True)
        self.assertRefused(run("new", folder), folder, "File access denied", WRITE_FAILED)
        self.assertRefused(run("table", folder), folder, "File access denied")
        self.assertTrue(os.path.isdir(folder))

    def test_write_protected_file_is_left_alone(self):
        target = work("protected.vlq")
        if os.path.exists(target):
            os.chmod(target, 0o644)
        with open(target, "wb") as f:
            f.write(b"old")
        os.chmod(target, 0o444)
        self.assertRefused(run("new", target), target, "File access denied", WRITE_FAILED)
        with open(target, "rb") as f:
            self.assertEqual(f.read(), b"old")
        self.assertEqual(stat.S_IMODE(os.stat(target).st_mode), 0o444)

    def test_long_names_are_stored_and_read(self):
        for name in ("a" * 240 + ".vlq", "ж" * 120 + ".vlq"):
            path = new_tank(name)
            result = run("table", path)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertEqual(result.stdout.count(b"\n"), 581)
        self.assertEqual([n for n in os.listdir(WORK) if n.endswith(".tmp")], [])

    def test_file_beyond_the_readers_limit_says_so(self):
        path = work("huge-file.vlq")
        with open(path, "wb") as f:
            f.truncate(64 * 1024 * 1024 + 1)  # sparse: costs no space
        self.assertRefused(run("show", path), path, "Файл больше 64 МБ: это не файл данных Veloquin")

    def test_details_beyond_the_limit_are_refused_by_their_count(self):
        source = new_tank("details-source.vlq")
        most = with_details(source, work("details-100000.vlq"), 100000)
        result = run("table", most)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.count(b"\n"), 581)
        too_many = with_details(source, work("details-100001.vlq"), 100001)
        self.assertRefused(run("show", too_many), too_many,
                           "Число внутренних деталей в файле — 100 001, допускается не более 100 000.")


OFFSET_PAINT_THICKNESS = 4 + 14 + 4 + 4 + 16 + 4 + 8 * 8


class OutputThatIsTheInput(unittest.TestCase):
    """A command never writes over the file it reads, however the two are named."""

    def spellings(self, path):
        folder, name = os.path.split(path)
        link = work("link-to-" + name)
        hard = work("hard-" + name)
        for extra in (link, hard):
            if os.path.lexists(extra):
                os.remove(extra)
        os.symlink(path, link)
        os.link(path, hard)
        return [path, os.path.join(folder, ".", "..", os.path.basename(folder), name), link, hard]

    def test_pdf_and_resave_refuse_their_input(self):
        source = new_tank("self-output.vlq")
        with open(source, "rb") as f:
            before = f.read()
        for output in self.spellings(source):
            for command in ("pdf", "resave", "xlsx"):
                result = run(command, source, output)
                self.assertEqual(result.returncode, 3, (command, output))
                self.assertEqual(result.stderr.decode("utf-8"),
                                 f"{output}: the output is the input file {source}; nothing was written\n")
                with open(source, "rb") as f:
                    self.assertEqual(f.read(), before, (command, output))

    def test_table_appended_to_its_input_is_refused(self):
        source = new_tank("self-append.vlq")
        size = os.path.getsize(source)
        for args in (("table", source), ("csv", source), ("show", source), ("compare", source, source),
                     ("check", source)):
            command = args[0]
            with open(source, "ab") as out:
                result = subprocess.run([CLI, *args], stdout=out, stderr=subprocess.PIPE, timeout=60)
            self.assertEqual(result.returncode, 3, command)
            self.assertIn(b"standard output is this input file", result.stderr)
            self.assertEqual(os.path.getsize(source), size, command)

    def test_other_outputs_are_still_written(self):
        source = new_tank("other-output.vlq")
        self.assertEqual(run("resave", source, work("other-output-2.vlq")).returncode, 0)
        # Two inputs may be one file: compare reads both and writes neither.
        self.assertEqual(run("compare", source, source).returncode, 0)
        with open(work("other-output.txt"), "wb") as out:
            result = subprocess.run([CLI, "table", source], stdout=out, stderr=subprocess.PIPE, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)


class WrongTables(unittest.TestCase):
    """A table that is empty, refused or not all numbers fails with its reason."""

    def assertFails(self, path, reason):
        pdf = work(os.path.basename(path) + ".pdf")
        if os.path.exists(pdf):
            os.remove(pdf)
        for args in (("table", path), ("csv", path), ("pdf", path, pdf)):
            result = run(*args)
            self.assertEqual(result.returncode, 1, args)
            self.assertEqual(result.stdout, b"", args)
            message = result.stderr.decode("utf-8")
            self.assertTrue(message.startswith(f"{path}: ") and message.count("\n") == 1, message)
            self.assertIn(reason, message, args)
        self.assertFalse(os.path.exists(pdf))
        # The values themselves are still shown, as they are.
        self.assertEqual(run("show", path).returncode, 0)

    def test_not_a_number_in_a_girdle_height_gives_no_line(self):
        source = new_tank("nan-source.vlq")
        nan = patched(source, work("nan-height.vlq"), OFFSET_GIRDLE_HEIGHT_OUTER + 7 * 8, float("nan"))
        self.assertFails(nan, "Градуировочная таблица пуста")

    def test_not_a_number_elsewhere_gives_no_volume(self):
        source = new_tank("nan-paint-source.vlq")
        nan = patched(source, work("nan-paint.vlq"), OFFSET_PAINT_THICKNESS, float("nan"))
        self.assertFails(nan, "при уровне 200 мм объем — не число")
        inf = patched(source, work("inf-paint.vlq"), OFFSET_PAINT_THICKNESS, float("inf"))
        self.assertFails(inf, "не являющееся числом")

    def test_dead_cavity_above_the_fill_height(self):
        source = new_tank("crossed-source.vlq")
        # Girdle 2 of -5000 mm: the design fill height (600 mm at most) falls below
        # a dead cavity of 700 mm.
        crossed = patched(source, work("crossed.vlq"), OFFSET_GIRDLE_HEIGHT_OUTER + 8, -5000)
        crossed = patched(crossed, crossed, OFFSET_DESIGN_FILL_HEIGHT - 8, 700)
        self.assertFails(crossed, "выше высоты заполнения")

    def test_refused_table_is_not_printed(self):
        source = new_tank("huge-pdf-source.vlq")
        huge = patched(source, work("huge-pdf.vlq"), OFFSET_GIRDLE_HEIGHT_OUTER + 7 * 8, 8000000)
        huge = patched(huge, huge, OFFSET_DESIGN_FILL_HEIGHT, 8005600)
        self.assertFails(huge, "допускается не более 100 000")


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=[sys.argv[0], "-v"])

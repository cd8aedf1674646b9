#!/usr/bin/env python3
"""veloquin-cli pdf: the printed documents of a tank file as an A4 PDF.

usage: cli_pdf.py VELOQUIN_CLI SAMPLES_DIR WORK_DIR
"""
import os
import re
import subprocess
import sys
import unittest

CLI, SAMPLES, WORK = sys.argv[1], sys.argv[2], sys.argv[3]


def run(*args):
    env = dict(os.environ)
    for key in ("LC_ALL", "LC_NUMERIC", "LANG", "DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(key, None)
    return subprocess.run([CLI, *args], capture_output=True, env=env, timeout=120)


def work(name):
    return os.path.join(WORK, name)


def page_count(path):
    with open(path, "rb") as f:
        return len(re.findall(rb"/Type /Page\b(?!s)", f.read()))


def texts_of(path):
    """The PDF's text, when poppler's pdftotext is there."""
    try:
        out = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, timeout=60)
    except FileNotFoundError:
        return None
    return out.stdout.decode("utf-8")


class Pdf(unittest.TestCase):
    def test_new_tank_prints_the_whole_set(self):
        tank, out = work("new.vlq"), work("new.pdf")
        self.assertEqual(run("new", tank).returncode, 0)
        result = run("pdf", tank, out, "--decimal-separator", ",")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, b"")
        self.assertEqual(result.stderr, b"")  # no display needed, nothing said
        self.assertEqual(page_count(out), 6 + 8 + 1)
        with open(out, "rb") as f:
            self.assertTrue(f.read(5) == b"%PDF-")
        text = texts_of(out)
        if text is not None:
            self.assertIn("6,337", text)
            self.assertIn("1-го пояса", text)

    def test_texts_that_leave_their_place_are_named_and_the_file_written(self):
        # The default sample with a registration number (page 2) and the chairman's
        # second line (the last table sheet) too long for their places.
        tank = os.path.join(SAMPLES, os.pardir, "long_texts.vlq")
        out = work("long_texts.pdf")
        result = run("pdf", tank, out, "--decimal-separator", ",")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(page_count(out), 6 + 8 + 1)
        self.assertEqual(result.stderr.decode("utf-8").splitlines(), [
            out + ": не помещается на своём месте на листе: «Регистр. номер» («Протокол Лист1»), стр. 2: на 12,6 мм",
            out + ": не помещается на своём месте на листе: «Строка 2» («Подпись предс. комиссии»), стр. 14: на 33,2 мм",
        ])
        # Only the pages written are looked at.
        result = run("pdf", tank, out, "--pages", "3-13")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, b"")

    def test_page_list_and_separator(self):
        out = work("pages.pdf")
        result = run("pdf", os.path.join(SAMPLES, "sample_rvs5000_tall.vlq"), out, "--pages", "8,16-17",
                     "--decimal-separator", ".")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(page_count(out), 3)
        text = texts_of(out)
        if text is not None:
            self.assertIn("24.47", text)
            self.assertIn("Председатель комиссии:", text)
            self.assertNotIn("24,47", text)

    def test_bad_page_list_prints_nothing(self):
        tank = work("bad-list.vlq")
        run("new", tank)
        for pages in ("1,,2", "16", "0", "1-", "abc"):
            out = work("bad-list.pdf")
            result = run("pdf", tank, out, "--pages", pages)
            self.assertEqual(result.returncode, 1, pages)
            self.assertEqual(result.stderr.decode("utf-8"),
                             "veloquin-cli: Указан неверный диапазон печати.\n", pages)
            self.assertFalse(os.path.exists(out), pages)
        # A backward range and a repeated page are said, not printed otherwise than asked.
        for pages, message in (("3-1", "Диапазон страниц 3-1 идет назад: укажите его по возрастанию (1-3)."),
                               ("1,1", "Страница 1 указана в списке дважды.")):
            out = work("bad-list.pdf")
            result = run("pdf", tank, out, "--pages", pages)
            self.assertEqual(result.returncode, 1, pages)
            self.assertEqual(result.stderr.decode("utf-8"), "veloquin-cli: %s\n" % message)
            self.assertFalse(os.path.exists(out), pages)

    def test_errors_name_their_file(self):
        missing = work("missing.vlq")
        result = run("pdf", missing, work("x.pdf"))
        self.assertEqual(result.returncode, 2)
        self.assertEqual(result.stderr.decode("utf-8"), f"{missing}: File not found\n")

        tank = work("blocked.vlq")
        run("new", tank)
        blocker = work("a-file")
        with open(blocker, "wb") as f:
            f.write(b"x")
        target = os.path.join(blocker, "out.pdf")
        result = run("pdf", tank, target)
        self.assertEqual(result.returncode, 3)
        self.assertTrue(result.stderr.decode("utf-8").startswith(target + ": "), result.stderr)

    def test_existing_output_is_replaced_whole(self):
        tank, out = work("replace.vlq"), work("replace.pdf")
        run("new", tank)
        with open(out, "wb") as f:
            f.write(b"old" * 100000)
        self.assertEqual(run("pdf", tank, out, "--pages", "7").returncode, 0)
        self.assertEqual(page_count(out), 1)
        self.assertEqual([n for n in os.listdir(WORK) if n.endswith(".tmp")], [])

    def test_usage(self):
        self.assertIn(b"pdf FILE.vlq OUT.pdf", run("--help").stdout)
        self.assertIn(b"--pages LIST", run("--help").stdout)
        tank = work("usage.vlq")
        run("new", tank)
        self.assertEqual(run("table", tank, "--pages", "1").returncode, 2)
        self.assertEqual(run("pdf", tank).returncode, 2)
        self.assertEqual(run("pdf", tank, work("u.pdf"), "--pages").returncode, 2)


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=[sys.argv[0], "-v"])

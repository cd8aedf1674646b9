#!/usr/bin/env python3
"""veloquin-cli check as a shell loop over a tank farm uses it: lines, JSON, exit status.

usage: cli_check.py VELOQUIN_CLI SAMPLES_DIR WORK_DIR
"""
import glob
import json
import os
import struct
import subprocess
import sys
import unittest

CLI, SAMPLES, WORK = sys.argv[1], sys.argv[2], sys.argv[3]


def run(*args):
    env = dict(os.environ)
    for key in ("LC_ALL", "LC_NUMERIC", "LANG"):
        env.pop(key, None)
    return subprocess.run([CLI, *args], capture_output=True, env=env, timeout=60)


def work(name):
    os.makedirs(WORK, exist_ok=True)
    return os.path.join(WORK, name)


def new_tank(name):
    path = work(name)
    assert run("new", path).returncode == 0
    return path


def replaced(source, name, old, new):
    """A copy of source with the one stored double `old` replaced by `new`."""
    with open(source, "rb") as f:
        data = f.read()
    packed = struct.pack("<d", old)
    assert data.count(packed) == 1, (source, old)
    path = work(name)
    with open(path, "wb") as f:
        f.write(data.replace(packed, struct.pack("<d", new)))
    return path


# The plumb table of a new tank (8 girdles, 12 generatrices) starts here.
OFFSET_PLUMB = 4 + 14 + 4 + 4 + 16 + 4 + 8 * 8 + 8 + 4


def with_plumb_reading(name, row, generatrix, value):
    """A new tank whose plumb table reads 100 mm everywhere but at one cell (a
    table of zeros is one not measured, whatever a single reading says)."""
    path = new_tank(name)
    with open(path, "r+b") as f:
        f.seek(OFFSET_PLUMB)
        f.write(struct.pack("<d", 100.0) * (21 * 12))
        f.seek(OFFSET_PLUMB + ((row - 1) * 12 + generatrix - 1) * 8)
        f.write(struct.pack("<d", value))
    return path


class Check(unittest.TestCase):
    def test_every_sample_passes(self):
        for path in sorted(glob.glob(os.path.join(SAMPLES, "*.vlq"))):
            if "short" in path or path.endswith(".resaved.vlq"):
                continue
            result = run("check", path)
            self.assertEqual(result.returncode, 0, path + result.stdout.decode("utf-8"))
            self.assertEqual(result.stderr, b"")

    def test_an_error_gives_a_line_and_status_1(self):
        path = with_plumb_reading("slip.vlq", 8, 3, 1490)
        result = run("check", path, "--decimal-separator", ",")
        self.assertEqual(result.returncode, 1)
        lines = result.stdout.decode("utf-8").splitlines()
        self.assertTrue(any(line.startswith(path + ": error PlumbDistance[8,3]: Пояс 4, низ, образующая 3: 1490 мм")
                            for line in lines), lines)

    def test_json_lists_the_findings(self):
        path = with_plumb_reading("slip-json.vlq", 8, 3, 1490)
        result = run("check", path, "--json")
        self.assertEqual(result.returncode, 1)
        findings = json.loads(result.stdout.decode("utf-8"))["findings"]
        plumb = [f for f in findings if f["field"] == "PlumbDistance"]
        self.assertEqual(len(plumb), 1, findings)
        self.assertEqual(plumb[0]["severity"], "error")
        self.assertEqual(plumb[0]["index"], [8, 3])
        self.assertEqual(plumb[0]["value"], 1490.0)
        self.assertIn("1490", plumb[0]["message"])

    def test_warnings_alone_pass_and_a_single_value_has_no_index(self):
        # A stored density of sulphuric acid: unusual, possible.
        path = replaced(new_tank("acid-source.vlq"), "acid.vlq", 960.0, 1840.0)
        result = run("check", path, "--json")
        self.assertEqual(result.returncode, 0, result.stdout)
        findings = json.loads(result.stdout.decode("utf-8"))["findings"]
        self.assertEqual([(f["severity"], f["field"], f["index"]) for f in findings],
                         [("warning", "StoredDensity", None)])

    def test_a_clean_tank_prints_nothing_or_an_empty_list(self):
        path = new_tank("clean.vlq")
        self.assertEqual(run("check", path).stdout, b"")
        self.assertEqual(json.loads(run("check", path, "--json").stdout), {"findings": []})

    def test_a_file_that_cannot_be_read_gives_status_2(self):
        missing = work("missing.vlq")
        result = run("check", missing)
        self.assertEqual(result.returncode, 2)
        self.assertEqual(result.stderr.decode("utf-8"), f"{missing}: File not found\n")
        self.assertEqual(result.stdout, b"")
        short = work("short.vlq")
        with open(new_tank("whole.vlq"), "rb") as f, open(short, "wb") as g:
            g.write(f.read()[:300])
        result = run("check", short, "--json")
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"Read beyond end of file", result.stderr)

    def test_json_is_only_for_check(self):
        result = run("table", new_tank("usage.vlq"), "--json")
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"usage: veloquin-cli", result.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)

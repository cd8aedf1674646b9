#!/usr/bin/env python3
"""Runs veloquin-cli as a process against the independently computed sample tanks.

usage: cli_samples.py VELOQUIN_CLI SAMPLES_DIR WORK_DIR

For every sample: `show` against NAME.json key by key (texts, integers, flags and
IntCircumference exactly, other reals within 1e-12 relative / 1e-9 absolute near
zero), `table` against NAME.table.comma.txt byte for byte, `resave` against
NAME.resaved.vlq byte for byte except the listed inexact float64 offsets.
"""
import json
import math
import os
import subprocess
import sys
import unittest

CLI, SAMPLES, WORK = sys.argv[1], sys.argv[2], sys.argv[3]
EXACT_REAL_KEYS = {"IntCircumference"}
NEAR_ZERO = 1e-3


def run(*args, env=None):
    return subprocess.run([CLI, *args], capture_output=True, env=env, timeout=60)


def load_manifest():
    with open(os.path.join(SAMPLES, "manifest.json"), encoding="utf-8") as f:
        return json.load(f)


def close_enough(expected, actual):
    """Relative 1e-12; absolute 1e-9 only near zero, where a relative bound means nothing."""
    if abs(expected) < NEAR_ZERO:
        return abs(actual - expected) <= 1e-9
    return math.isclose(actual, expected, rel_tol=1e-12, abs_tol=0)


def compare(expected, actual, path, exact, problems):
    if isinstance(expected, dict):
        if not isinstance(actual, dict):
            problems.append(f"{path}: expected an object, got {actual!r}")
            return
        for key in expected:
            if key not in actual:
                problems.append(f"{path}.{key}: missing")
            else:
                compare(expected[key], actual[key], f"{path}.{key}", exact or key in EXACT_REAL_KEYS, problems)
        for key in actual:
            if key not in expected:
                problems.append(f"{path}.{key}: not in the sample")
    elif isinstance(expected, list):
        if not isinstance(actual, list) or len(actual) != len(expected):
            problems.append(f"{path}: expected {len(expected)} entries, got {actual!r}")
            return
        for i, (e, a) in enumerate(zip(expected, actual)):
            compare(e, a, f"{path}[{i}]", exact, problems)
    elif isinstance(expected, bool) or isinstance(expected, str) or isinstance(expected, int):
        if type(actual) is not type(expected) or actual != expected:
            problems.append(f"{path}: expected {expected!r}, got {actual!r}")
    elif isinstance(expected, float):
        if not isinstance(actual, (int, float)) or isinstance(actual, bool):
            problems.append(f"{path}: expected {expected!r}, got {actual!r}")
        elif exact:
            if actual != expected:
                problems.append(f"{path}: expected exactly {expected!r}, got {actual!r}")
        elif not close_enough(expected, actual):
            problems.append(f"{path}: expected {expected!r}, got {actual!r}")
    else:
        problems.append(f"{path}: unexpected sample value {expected!r}")


class SampleTanks(unittest.TestCase):
    manifest = load_manifest()
    complete = [m for m in manifest if "error" not in m]

    def sample(self, name, suffix):
        return os.path.join(SAMPLES, name + suffix)

    def test_show_matches_every_value(self):
        for entry in self.complete:
            name = entry["name"]
            with self.subTest(sample=name):
                result = run("show", self.sample(name, ".vlq"))
                self.assertEqual(result.returncode, 0, result.stderr.decode())
                actual = json.loads(result.stdout.decode("utf-8"))
                with open(self.sample(name, ".json"), encoding="utf-8") as f:
                    expected = json.load(f)
                problems = []
                compare(expected, actual, name, False, problems)
                self.assertEqual(problems, [], "\n".join(problems[:40]))
                self.assertEqual(actual["GirdleCount"], entry["girdles"])
                self.assertEqual(actual["GeneratrixCount"], entry["generatrices"])

    def test_table_matches_text(self):
        for entry in self.complete:
            name = entry["name"]
            with self.subTest(sample=name):
                result = run("table", self.sample(name, ".vlq"), "--decimal-separator", ",")
                self.assertEqual(result.returncode, 0, result.stderr.decode())
                with open(self.sample(name, ".table.comma.txt"), "rb") as f:
                    expected = f.read()
                self.assertEqual(result.stdout, expected)
                self.assertEqual(result.stdout.count(b"\n"), entry["table_lines"])
                if "volume_at_design_fill" in entry:
                    last = result.stdout.decode("utf-8").splitlines()[-1]
                    self.assertTrue(last.endswith("\t" + entry["volume_at_design_fill"]), last)

    def test_resave_gives_the_stored_bytes(self):
        for entry in self.complete:
            name = entry["name"]
            with self.subTest(sample=name):
                out = os.path.join(WORK, name + ".resaved.vlq")
                result = run("resave", self.sample(name, ".vlq"), out)
                self.assertEqual(result.returncode, 0, result.stderr.decode())
                with open(out, "rb") as f:
                    actual = f.read()
                with open(self.sample(name, ".resaved.vlq"), "rb") as f:
                    expected = f.read()
                self.assertEqual(len(actual), len(expected))
                inexact = set()
                for offset in entry.get("resaved_inexact_float64_offsets", []):
                    inexact.update(range(offset, offset + 8))
                differing = [i for i in range(len(expected)) if actual[i] != expected[i] and i not in inexact]
                self.assertEqual(differing, [])

    def test_cut_file_is_reported_with_its_name(self):
        for entry in self.manifest:
            if "error" not in entry:
                continue
            path = self.sample(entry["name"], ".vlq")
            result = run("show", path)
            self.assertEqual(result.returncode, 2)
            self.assertEqual(result.stdout, b"")
            self.assertEqual(result.stderr.decode("utf-8"), f"{path}: {entry['error']}\n")


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=[sys.argv[0], "-v"])

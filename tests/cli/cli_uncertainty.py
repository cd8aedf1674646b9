#!/usr/bin/env python3
"""veloquin-cli uncertainty: the figures as text and JSON, the options, a refused table.

usage: cli_uncertainty.py VELOQUIN_CLI SAMPLES_DIR WORK_DIR
"""
import glob
import json
import os
import struct
import subprocess
import sys
import unittest

CLI, SAMPLES, WORK = sys.argv[1], sys.argv[2], sys.argv[3]

KEYS = {"levels_mm", "V_m3", "u_m3", "U_m3", "U_rel", "design_fill", "at_500mm", "worst_2m_interval",
        "budget_at_design_fill", "method", "trials", "seed"}


def run(*args):
    env = dict(os.environ)
    for key in ("LC_ALL", "LC_NUMERIC", "LANG"):
        env.pop(key, None)
    return subprocess.run([CLI, *args], capture_output=True, env=env, timeout=120)


def as_json(*args):
    result = run("uncertainty", *args, "--json")
    assert result.returncode == 0, result.stderr.decode()
    return json.loads(result.stdout)


def samples():
    # short_sample_rvs1000 is a file cut short, which no command reads.
    return sorted(p for p in glob.glob(os.path.join(SAMPLES, "*.vlq"))
                  if not p.endswith(".resaved.vlq") and not os.path.basename(p).startswith("short_"))


def table_of(path):
    """(level, volume) of each line of the text table, from the tool itself."""
    rows = []
    for line in run("table", path, "--decimal-separator", ".").stdout.decode().splitlines():
        parts = line.split("\t")
        rows.append((float(parts[3].replace(" ", "")), float(parts[6].replace(" ", ""))))
    return rows


class Uncertainty(unittest.TestCase):
    def test_every_sample_gives_every_figure_at_the_printed_levels(self):
        for path in samples():
            with self.subTest(path=os.path.basename(path)):
                d = as_json(path)
                self.assertTrue(KEYS <= set(d), set(d) ^ KEYS)
                table = table_of(path)
                self.assertEqual(len(d["levels_mm"]), len(table))
                for k in range(0, len(table), 37):
                    self.assertAlmostEqual(d["levels_mm"][k], table[k][0], places=6)
                    self.assertEqual(round(d["V_m3"][k], 3), table[k][1])
                    self.assertEqual(d["U_m3"][k], 2 * d["u_m3"][k])
                    if d["V_m3"][k] > 0:
                        self.assertAlmostEqual(d["U_rel"][k], d["U_m3"][k] / d["V_m3"][k], places=12)
                fill = d["design_fill"]
                # Well inside the error the protocol states (0.1 % at least).
                self.assertLess(fill["U_rel"], 0.001)
                self.assertGreater(d["at_500mm"]["U_rel"], fill["U_rel"])
                self.assertEqual(d["at_500mm"]["level_mm"], 500)
                self.assertEqual((d["method"], d["trials"], d["seed"]), ("linear", 0, None))
                self.assertEqual(d["levels_moved_by_clamping"], 0)
                shares = sum(line["share"] for line in d["budget_at_design_fill"])
                self.assertAlmostEqual(shares, 1, places=12)
                self.assertAlmostEqual(
                    sum(line["u_m3"] ** 2 for line in d["budget_at_design_fill"]), fill["u_m3"] ** 2, places=12)
                if d["worst_2m_interval"] is not None:
                    w = d["worst_2m_interval"]
                    self.assertAlmostEqual(w["to_mm"] - w["from_mm"], 2000, places=6)

    def test_text_names_each_figure(self):
        path = os.path.join(SAMPLES, "sample_rvs1000.vlq")
        result = run("uncertainty", path, "--decimal-separator", ",")
        self.assertEqual(result.returncode, 0, result.stderr)
        text = result.stdout.decode()
        for words in ("Высота наполнения", "Уровень 500 мм", "Наихудший интервал 2 м", "указанной в протоколе, до уровня",
                      "Бюджет при высоте наполнения", "Рулетка"):
            self.assertIn(words, text)
        self.assertNotIn(".", text.split("\n", 1)[1].replace(path, ""))

    def test_a_source_switched_off_or_changed_for_this_run(self):
        path = os.path.join(SAMPLES, "sample_rvs1000.vlq")
        base = as_json(path)
        no_staff = as_json(path, "--set", "staff=0", "--set", "COLLIMATION_ARCSEC_HALF=0")
        self.assertLess(no_staff["at_500mm"]["U_m3"], 0.5 * base["at_500mm"]["U_m3"])
        self.assertNotIn("staff", [line["group"] for line in no_staff["budget_at_design_fill"]])
        worse = as_json(path, "--set=plumb=3")
        self.assertGreater(worse["design_fill"]["U_m3"], base["design_fill"]["U_m3"])

    def test_interval_asked_for(self):
        path = os.path.join(SAMPLES, "sample_rvs1000.vlq")
        d = as_json(path, "--interval", "1000", "3000")
        (interval,) = d["intervals"]
        self.assertEqual((interval["from_mm"], interval["to_mm"]), (1000, 3000))
        self.assertGreater(interval["dV_m3"], 0)
        # Far less than the two levels' U together: most of their error is shared.
        self.assertLess(interval["U_m3"], d["at_500mm"]["U_m3"])
        text = run("uncertainty", path, "--interval", "1000", "3000").stdout.decode()
        self.assertIn("Интервал от 1000 до 3000 мм", text)

    def test_monte_carlo_is_repeatable_by_its_seed(self):
        path = os.path.join(SAMPLES, "sample_rvs400.vlq")
        a = as_json(path, "--monte-carlo", "400", "--seed", "11")
        b = as_json(path, "--monte-carlo", "400", "--seed", "11")
        c = as_json(path, "--monte-carlo", "400", "--seed", "12")
        self.assertEqual(a, b)
        self.assertNotEqual(a["u_m3"], c["u_m3"])
        self.assertEqual((a["method"], a["trials"], a["seed"]), ("monte-carlo", 400, 11))
        linear = as_json(path)
        # 400 trials: u within about 4 standard errors (3.5 % each).
        self.assertAlmostEqual(a["design_fill"]["u_m3"] / linear["design_fill"]["u_m3"], 1, delta=0.15)

    def test_wrong_options_exit_with_2(self):
        path = os.path.join(SAMPLES, "sample_rvs400.vlq")
        for args in (("--set", "nothing=1"), ("--set", "staff=-1"), ("--set", "staff"), ("--monte-carlo", "1"),
                     ("--monte-carlo", "x"), ("--seed", "5"), ("--monte-carlo", "10", "--seed", "-1"),
                     ("--interval", "100"), ("--interval", "a", "b")):
            with self.subTest(args=args):
                result = run("uncertainty", path, *args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
        self.assertEqual(run("table", path, "--set", "staff=1").returncode, 2)

    def test_refused_table_exits_with_1_and_its_reason(self):
        os.makedirs(WORK, exist_ok=True)
        source = os.path.join(WORK, "new.vlq")
        self.assertEqual(run("new", source).returncode, 0)
        with open(source, "rb") as f:
            data = bytearray(f.read())
        # The paint thickness of a new tank (1 mm) is stored once; NaN spoils every volume.
        packed = struct.pack("<d", 1.0)
        offset = 4 + 14 + 4 + 4 + 16 + 4 + 8 * 8
        self.assertEqual(bytes(data[offset:offset + 8]), packed)
        data[offset:offset + 8] = struct.pack("<d", float("nan"))
        path = os.path.join(WORK, "nan-paint.vlq")
        with open(path, "wb") as f:
            f.write(data)
        for args in ((), ("--json",), ("--monte-carlo", "10")):
            result = run("uncertainty", path, *args)
            self.assertEqual(result.returncode, 1)
            self.assertEqual(result.stdout, b"")
            message = result.stderr.decode()
            self.assertTrue(message.startswith(path + ": "), message)
            self.assertIn("не являющееся числом", message)


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=[sys.argv[0], "-v"])

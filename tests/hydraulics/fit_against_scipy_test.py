"""The rating-curve fit against independent solvers: scipy's curve_fit for
least squares in Q, numpy's linear least squares for the fit on the root of Q.

Usage: fit_against_scipy_test.py FIT_CHECK_PROGRAM EXAMPLES_HQ_FOLDER

The continuous multi-segment formula is parametrised here differently from
the program (segment 1 by a and b, every later segment by its a alone, its b
following from continuity at the split), so the two do not share a form.
"""
import glob
import json
import os
import subprocess
import sys
import tempfile
import unittest

import numpy as np
from scipy.optimize import curve_fit

PROGRAM = sys.argv[1]
EXAMPLES = sys.argv[2]
RTOL = 1e-6


def read_table(path):
    """(stage, discharge) of a measurement table: station lines, a header, rows."""
    rows = []
    header = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            fields = [x.strip() for x in line.split(",")]
            if header is None:
                header = fields
                continue
            row = dict(zip(header, fields))
            rows.append((float(row["stage"]), float(row["discharge"])))
    return np.array([r[0] for r in rows]), np.array([r[1] for r in rows])


def write_table(folder, name, stages, discharges):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8") as f:
        f.write("# station: synthetic\nlabel,stage,discharge\n")
        for i, (h, q) in enumerate(zip(stages, discharges), 1):
            f.write(f"{i},{h!r},{q!r}\n")
    return path


def run_fit(path, method, splits=()):
    args = [PROGRAM, path, method]
    if splits:
        args.append(",".join(repr(s) for s in splits))
    done = subprocess.run(args, capture_output=True, text=True)
    return done


def fitted_segments(path, method, splits=()):
    done = run_fit(path, method, splits)
    if done.returncode != 0:
        raise AssertionError(f"{path}: fit failed: {done.stderr}")
    formula = json.loads(done.stdout)
    assert formula["method"] == method
    return [(s["a"], s["b"]) for s in formula["segments"]]


def segment_of(stages, splits):
    return np.searchsorted(np.asarray(splits, dtype=float), stages, side="right")


def coefficients(params, splits):
    """(a, b) per segment from (a1, b1, a2, ..., am), continuous at the splits."""
    a = [params[0]]
    b = [params[1]]
    for k, s in enumerate(splits):
        ak = params[k + 2]
        b.append(np.sqrt(a[-1] / ak) * (s + b[-1]) - s)
        a.append(ak)
    return a, b


def model(stages, splits, *params):
    a, b = coefficients(params, splits)
    seg = segment_of(stages, splits)
    aa = np.array(a)[seg]
    bb = np.array(b)[seg]
    return aa * (stages + bb) ** 2


def scipy_q_fit(stages, discharges, splits):
    # Start from the root-of-Q line of each segment, as an engineer would.
    seg = segment_of(stages, splits)
    d, c = np.polyfit(stages[seg == 0], np.sqrt(discharges[seg == 0]), 1)
    p0 = [d * d, c / d]
    for k in range(1, len(splits) + 1):
        dk, _ = np.polyfit(stages[seg == k], np.sqrt(discharges[seg == k]), 1)
        p0.append(dk * dk)
    params, _ = curve_fit(lambda h, *p: model(h, splits, *p), stages, discharges, p0=p0,
                          ftol=1e-15, xtol=1e-15, gtol=1e-15, maxfev=100000)
    a, b = coefficients(params, splits)
    return list(zip(a, b))


def numpy_sqrt_fit(stages, discharges, splits):
    # √Q = c + d H + Σ e_j max(0, H - split_j): linear least squares.
    columns = [np.ones_like(stages), stages] + [np.maximum(0.0, stages - s) for s in splits]
    theta, *_ = np.linalg.lstsq(np.column_stack(columns), np.sqrt(discharges), rcond=None)
    result = []
    c, d = theta[0], theta[1]
    for k in range(len(splits) + 1):
        if k > 0:
            d += theta[k + 1]
            c -= theta[k + 1] * splits[k - 1]
        result.append((d * d, c / d))
    return result


class FitAgainstIndependentSolvers(unittest.TestCase):
    def assert_same(self, got, want, stages, splits, what):
        self.assertEqual(len(got), len(want), what)
        for k, ((a, b), (a0, b0)) in enumerate(zip(got, want), 1):
            self.assertLessEqual(abs(a - a0), RTOL * abs(a0), f"{what}: segment {k} a {a} vs {a0}")
            self.assertLessEqual(abs(b - b0), RTOL * max(abs(b0), 0.1), f"{what}: segment {k} b {b} vs {b0}")
        q = model(stages, splits, got[0][0], got[0][1], *[a for a, _ in got[1:]])
        q0 = model(stages, splits, want[0][0], want[0][1], *[a for a, _ in want[1:]])
        np.testing.assert_allclose(q, q0, rtol=RTOL, err_msg=what)

    def check(self, path, splits=()):
        stages, discharges = read_table(path)
        self.assert_same(fitted_segments(path, "q", splits), scipy_q_fit(stages, discharges, list(splits)),
                         stages, list(splits), f"{path} q {splits}")
        self.assert_same(fitted_segments(path, "sqrt", splits), numpy_sqrt_fit(stages, discharges, list(splits)),
                         stages, list(splits), f"{path} sqrt {splits}")

    def test_example_stations(self):
        tables = sorted(glob.glob(os.path.join(EXAMPLES, "*.csv")))
        self.assertTrue(tables)
        for path in tables:
            self.check(path)
            self.check(path, (1.2,))
            self.check(path, (1.0, 2.0))

    def test_synthetic_stations_with_known_formula_and_noise(self):
        rng = np.random.default_rng(24)
        with tempfile.TemporaryDirectory() as folder:
            for n, a, b, noise, splits in [(15, 12.345, 0.21, 0.0, ()), (40, 3.7, -0.35, 0.04, ()),
                                           (60, 25.0, 0.05, 0.03, (1.5,)), (90, 8.2, 0.4, 0.05, (1.2, 2.4))]:
                stages = np.sort(rng.uniform(max(0.4, 0.1 - b), 3.5, n))
                discharges = a * (stages + b) ** 2 * (1 + noise * rng.standard_normal(n))
                path = write_table(folder, f"synthetic_{n}.csv", stages, discharges)
                self.check(path, splits)
                if noise == 0:
                    (fa, fb), = fitted_segments(path, "q")
                    self.assertAlmostEqual(fa / a, 1, places=9)
                    self.assertAlmostEqual(fb, b, places=9)

    def test_a_fit_the_data_cannot_give_is_refused_naming_the_segment(self):
        with tempfile.TemporaryDirectory() as folder:
            stages = np.array([0.5, 0.8, 1.0, 1.3, 1.6, 2.0])
            path = write_table(folder, "few.csv", stages, 5 * (stages + 0.2) ** 2)
            done = run_fit(path, "q", (1.2, 1.9))
            self.assertEqual(done.returncode, 1)
            self.assertIn("segment 2 (1.20 ≤ H < 1.90): 2 measurements; a fit needs at least 3", done.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])

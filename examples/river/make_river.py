#!/usr/bin/env python3
"""Writes the example river 荒見川 (Aramigawa, invented): twelve cross-sections
every 200 m from 22.0 km to 24.2 km, each surveyed in November 2015, 2019 and
2023, one file per section and survey in the national exchange format of the
periodic river surveys, and the river's planned high-water level by distance
mark.

Every section has a levee on both banks, a high-water channel and a
low-water channel. Between the surveys the low-water bed changes as a flood
would change it: the 2019 survey, after the floods of 2017 and 2018, finds the
lower reach scoured and the upper reach silted up; the 2023 survey finds the
lower reach partly filled again and the reach around 24.0 km scoured by the
typhoon flood of October 2023. The 2015 files are written in Shift_JIS with
CR LF line ends, as older survey programs write them, the others in UTF-8.

Deterministic: the same files on every run.

  python3 examples/river/make_river.py [FOLDER]   (default: the script's own folder)
"""

import math
import pathlib
import random
import sys

HERE = pathlib.Path(__file__).resolve().parent
RIVER_CODE = "8899010001"
RIVER_SYSTEM = "荒見川水系"
RIVER = "荒見川"
MARKS = [round(22.0 + 0.2 * i, 1) for i in range(12)]
SLOPE = 1.25  # m per km (1/800)
MISSING = -9999.0

# Point flags.
LEFT_POST, LEVEE_SHOULDER, CONCRETE, BLOCK, LOW_WATER_SHOULDER, WATER = 1, 3, 8, 10, 13, 16
ROOT_BLOCK, RIGHT_POST, LEFT_TOE, RIGHT_TOE, LAND = 17, 18, 24, 25, 28


def bed_change(year, mark):
    """Change of the low-water bed (m) against 2015."""
    if year == 2015:
        return 0.0
    if year == 2019:  # lower reach scoured, upper reach silted up
        return -0.55 + 0.45 * (mark - 22.0) if mark < 23.3 else 0.15 + 0.12 * (mark - 23.3)
    # 2023: the lower reach partly filled again, the reach around 24.0 km scoured
    change = bed_change(2019, mark)
    change += 0.25 if mark < 23.3 else 0.0
    change -= 0.7 * math.exp(-((mark - 24.0) / 0.25) ** 2)
    return change


def profile(mark, year, noise):
    """The points (flag, distance, elevation) of one section and survey."""
    o = (mark - 22.0) * SLOPE
    points = [
        (LAND, -24.0, 28.60 + o), (LEFT_TOE, -14.0, 28.50 + o), (LEVEE_SHOULDER, -2.5, 32.30 + o),
        (LEFT_POST, 0.0, 32.35 + o), (LEVEE_SHOULDER, 3.5, 32.30 + o), (LEFT_TOE, 14.9, 28.50 + o),
        (0, 22.0, 28.40 + o), (0, 30.0, 28.30 + o),
    ]
    # Left bank of the low-water channel: a block revetment, or at 23.0 km a
    # concrete wall, whose face is a vertical line.
    if abs(mark - 23.0) < 1e-9:
        points += [(LOW_WATER_SHOULDER, 38.0, 28.20 + o), (CONCRETE, 40.0, 28.25 + o), (CONCRETE, 40.0, 24.90 + o)]
    else:
        points += [(LOW_WATER_SHOULDER, 36.0, 28.20 + o), (BLOCK, 40.0, 26.20 + o), (ROOT_BLOCK, 41.0, 25.70 + o)]
    # The low-water channel, 38 m wide, deepest a little right of its middle.
    change = bed_change(year, mark)
    bottom = 24.00 + o + change
    thalweg = 0.58 + 0.04 * math.sin(mark * 3.0)
    for k in range(1, 13):
        x = 41.0 + 3.0 * k
        u = (x - 41.0) / 38.0
        shape = ((u - thalweg) / (thalweg if u < thalweg else 1 - thalweg)) ** 2
        points.append((0, x, bottom + 1.55 * shape + noise.uniform(-0.05, 0.05)))
    points += [
        (0, 80.5, 26.10 + o + 0.5 * change), (LOW_WATER_SHOULDER, 84.0, 28.10 + o),
        (0, 92.0, 28.30 + o), (0, 100.0, 28.40 + o), (RIGHT_TOE, 104.0, 28.50 + o),
        (LEVEE_SHOULDER, 115.4, 32.30 + o), (RIGHT_POST, 117.0, 32.35 + o), (LEVEE_SHOULDER, 119.5, 32.30 + o),
        (RIGHT_TOE, 131.0, 28.50 + o), (LAND, 140.0, 28.60 + o),
    ]
    return points


def with_water_surface(points, stage):
    """The points with the water's edges (flag 16) inserted where the bed of
    the low-water channel crosses the stage."""
    out = []
    for a, b in zip(points, points[1:]):
        out.append(a)
        (_, xa, za), (_, xb, zb) = a, b
        if (za - stage) * (zb - stage) < 0:  # on a wall too: the water's edge on its face
            out.append((WATER, xa + (xb - xa) * (za - stage) / (za - zb), stage))
    out.append(points[-1])
    return out


def survey_file(mark, year, index, noise):
    day = {2015: 4, 2019: 5, 2023: 7}[year] + index // 4  # four sections a day
    date = f"{year}11{day:02d}"
    stage = 24.00 + (mark - 22.0) * SLOPE + {2015: 1.20, 2019: 1.05, 2023: 1.40}[year]
    points = with_water_surface(profile(mark, year, noise), stage)
    if year == 2019 and abs(mark - 22.6) < 1e-9:  # the land-side ground was not surveyed
        points[-1] = (points[-1][0], points[-1][1], MISSING)
    left_post = next(z for f, _, z in points if f == LEFT_POST)
    right_post = next(z for f, _, z in points if f == RIGHT_POST)
    header = [f"{mark:.3f}", f"{MISSING:.3f}", f"{left_post:.3f}", f"{right_post:.3f}", f"{MISSING:.3f}",
              f"{MISSING:.3f}", str(len(points))] + [f"{MISSING:.3f}"] * 4 + ["0", date, RIVER_CODE, RIVER_SYSTEM, RIVER]
    lines = [",".join(header) + ","] + [f"{f},{x:.3f},{z:.3f}," for f, x, z in points]
    return f"arami_{mark:.1f}k_{date}.csv", lines


def main(folder):
    noise = random.Random(26)
    (folder / "plan").mkdir(parents=True, exist_ok=True)
    for old in folder.glob("arami_*.csv"):
        old.unlink()
    for year in (2015, 2019, 2023):
        for index, mark in enumerate(MARKS):
            name, lines = survey_file(mark, year, index, noise)
            if year == 2015:
                data = ("\r\n".join(lines) + "\r\n").encode("cp932")
            else:
                data = ("\n".join(lines) + "\n").encode("utf-8")
            (folder / name).write_bytes(data)
    # The planned high-water level: 1.0 m below the levee crowns.
    plan = ["# 荒見川 planned high-water level (計画高水位), m T.P.", "distance_mark,stage"]
    plan += [f"{mark:.1f},{31.30 + (mark - 22.0) * SLOPE:.2f}" for mark in (22.0, 23.0, 24.2)]
    (folder / "plan" / "high_water.csv").write_bytes(("\n".join(plan) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main(pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else HERE)

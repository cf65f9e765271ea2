"""report/summary.csv holds exactly the numbers of the flow and breakthrough-curve files."""

from __future__ import annotations

import csv
from pathlib import Path

import pytest

from conftest import run_report

REQUIRED = ("realization,method,top_flow,right_flow,bottom_flow,left_flow,global_flow,"
            "arrivals_top,arrivals_right,arrivals_bottom,arrivals_left,arrivals_total")
FLOW_FILE = {"dfn": "DFN_flow.{:04d}.txt", "grid": "Grd_flow.{:04d}.txt"}
CURVE_FILE = {"dfn": "DFN_bcrv.{:04d}.txt", "grid": "Grd_bcrv.{:04d}.txt"}


def flow_values(path: Path) -> list[str]:
    """The five numbers after '=' on the first five lines, as written."""
    lines = path.read_text().splitlines()[:5]
    return [line.split("=")[1].strip() for line in lines]


def curve_sums(path: Path) -> list[int]:
    """Sums of the top, right, bottom, left and total columns."""
    sums = [0] * 5
    for line in path.read_text().splitlines():
        fields = line.split()
        for i in range(5):
            sums[i] += int(fields[1 + i])
    return sums


def read_summary(folder: Path) -> tuple[str, list[dict[str, str]]]:
    text = (folder / "report" / "summary.csv").read_text()
    return text.splitlines()[0], list(csv.DictReader(text.splitlines()))


@pytest.mark.parametrize("case", ["rand_iso_sparse", "rand_three_sets_rect", "edge_diag45",
                                  "runs3_missing_0002"])
def test_summary_equals_the_files(case, study, report_program):
    folder = study(case)
    assert run_report(report_program, folder).returncode == 0
    header, rows = read_summary(folder)
    assert header.startswith(REQUIRED + ",")
    expected_rows = sorted((int(f.name.split(".")[1]), method)
                           for method, pattern in FLOW_FILE.items()
                           for f in folder.glob(pattern.replace("{:04d}", "*")))
    assert [(int(r["realization"]), r["method"]) for r in rows] == expected_rows
    for row in rows:
        k, method = int(row["realization"]), row["method"]
        written = flow_values(folder / FLOW_FILE[method].format(k))
        summary = [row[c] for c in ("top_flow", "right_flow", "bottom_flow", "left_flow",
                                    "global_flow")]
        assert summary == written
        assert [float(v) for v in summary] == [float(v) for v in written]
        sums = curve_sums(folder / CURVE_FILE[method].format(k))
        assert [int(row[f"arrivals_{face}"]) for face in
                ("top", "right", "bottom", "left", "total")] == sums
        assert int(row["never_arrived"]) == int(row["particles_released"]) - sums[4]


def test_summary_leaves_out_what_was_not_computed(study, report_program):
    folder = study("rand_iso_sparse", dfntr=2, grdcp=2)
    assert run_report(report_program, folder).returncode == 0
    _, rows = read_summary(folder)
    assert [(r["realization"], r["method"]) for r in rows] == [("1", "dfn"), ("2", "dfn")]
    for row in rows:
        assert row["arrivals_total"] == "" and row["mean_arrival_time"] == ""
        assert row["global_flow"] == flow_values(folder / f"DFN_flow.{int(row['realization']):04d}.txt")[4]

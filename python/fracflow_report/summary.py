"""One row per realization and method: face flows, arrivals and what else helps to compare the
two methods; written as report/summary.csv."""

from __future__ import annotations

import csv
import io
import math

import numpy as np

from .run import CURVE_FILE, FLOW_FILE, METHODS, Run

COLUMNS = (
    "realization", "method",
    "top_flow", "right_flow", "bottom_flow", "left_flow", "global_flow",
    "arrivals_top", "arrivals_right", "arrivals_bottom", "arrivals_left", "arrivals_total",
    # the columns below help; their meaning is in docs/report.md
    "particles_released", "never_arrived", "first_arrival_time", "median_arrival_time",
    "mean_arrival_time", "inflow", "outflow", "well_outflow", "in_minus_out",
    "percent_discrepancy", "injection_segments", "backbone_segments",
    "internal_nodes", "boundary_nodes", "total_nodes",
    "internal_cells", "boundary_cells", "active_cells",
)


def budget(flows: np.ndarray, well_outflow: float = 0.0) -> dict[str, float]:
    """Water budget from the four face flows (positive: out of the domain) and the flow a
    well takes out: inflow, outflow, in - out and the percent discrepancy
    100 (in - out) / ((in + out) / 2), as groundwater codes report it."""
    faces = np.asarray(flows, dtype=float)[:4]
    inflow = float(-faces[faces < 0].sum())
    outflow = float(faces[faces > 0].sum())
    if well_outflow > 0:
        outflow += well_outflow
    else:
        inflow -= well_outflow
    mean = (inflow + outflow) / 2
    return {"inflow": inflow, "outflow": outflow, "in_minus_out": inflow - outflow,
            "percent_discrepancy": 100 * (inflow - outflow) / mean if mean else math.nan}


def arrival_times(times: np.ndarray, totals: np.ndarray) -> dict[str, float]:
    """First, median and mean arrival time from a curve's bin centres and total counts."""
    arrived = int(totals.sum())
    if arrived == 0:
        return {"first_arrival_time": math.nan, "median_arrival_time": math.nan,
                "mean_arrival_time": math.nan}
    cumulative = np.cumsum(totals)
    return {
        "first_arrival_time": float(times[np.argmax(totals > 0)]),
        "median_arrival_time": float(times[np.argmax(2 * cumulative >= arrived)]),
        "mean_arrival_time": float((times * totals).sum() / arrived),
    }


def well_outflow(run: Run) -> float:
    """The flow the well takes out of the network (DFN only): sinkFlux when sink is on."""
    p = run.parameters
    return float(p.sinkFlux) if p.on("sink") else 0.0


def _number(value) -> str:
    if value is None or (isinstance(value, float) and math.isnan(value)):
        return ""
    if isinstance(value, float):
        return format(value, ".10g")
    return str(value)


def summary_rows(run: Run) -> list[dict[str, str]]:
    """The rows of summary.csv as text, in realization order, DFN before grid."""
    rows = []
    p = run.parameters
    for status in run.realizations:
        k = status.number
        for method in METHODS:
            if FLOW_FILE[method] not in status.files:
                continue
            flow = run.face_flows_of(method, k)
            row: dict[str, object] = {"realization": k, "method": method}
            for name, text in zip(("top_flow", "right_flow", "bottom_flow", "left_flow",
                                   "global_flow"), flow.texts):
                row[name] = text
            well = well_outflow(run) if method == "dfn" else 0.0
            row.update(budget(flow.flows, well))
            if method == "dfn":
                row["well_outflow"] = well
                row["injection_segments"] = flow.counts.get("Transp")
                row["internal_nodes"] = flow.counts.get("Internal Nodes")
                row["boundary_nodes"] = flow.counts.get("Boundary Nodes")
                row["total_nodes"] = flow.counts.get("Total Nodes")
                row["backbone_segments"] = run.backbone_count(k)
            else:
                row["internal_cells"] = flow.counts.get("Internal Cells")
                row["boundary_cells"] = flow.counts.get("Boundary Cells")
                row["active_cells"] = flow.counts.get("Total Cells")
            if CURVE_FILE[method] in status.files:
                curve = run.curve_of(method, k)
                sums = curve.counts.sum(axis=0)
                for i, face in enumerate(("top", "right", "bottom", "left", "total")):
                    row[f"arrivals_{face}"] = int(sums[i])
                released = p.totalparticles
                if method == "dfn" and flow.counts.get("Transp") == 0:
                    released = 0  # no injection segment: no particle is tracked
                row["particles_released"] = released
                row["never_arrived"] = released - int(sums[4])
                row.update(arrival_times(curve.times, curve.counts[:, 4]))
            rows.append({c: _number(row.get(c)) for c in COLUMNS})
    return rows


def summary_csv(rows: list[dict[str, str]]) -> str:
    out = io.StringIO()
    writer = csv.DictWriter(out, fieldnames=COLUMNS, lineterminator="\n")
    writer.writeheader()
    writer.writerows(rows)
    return out.getvalue()

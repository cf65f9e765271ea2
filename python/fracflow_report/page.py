"""The study report: report/summary.csv and one self-contained page, report/index.html, whose
figures are inline PNG images and whose style is inline; it loads nothing from anywhere."""

from __future__ import annotations

import base64
import html
import math
import os
from pathlib import Path

import numpy as np

from . import figures
from .parameters import LINE_OF
from .run import CURVE_FILE, FLOW_FILE, METHODS, Run
from .summary import budget, summary_csv, summary_rows, well_outflow

REPORT_FOLDER = "report"

_STYLE = """
body { font-family: sans-serif; margin: 1.5em auto; max-width: 1100px; padding: 0 1em;
       color: #222; line-height: 1.4; }
h1 { font-size: 1.6em; margin-bottom: 0.2em; }
h2 { font-size: 1.25em; border-bottom: 1px solid #ccc; margin-top: 1.8em; }
figure { margin: 0.8em 0; }
figure img { max-width: 100%; height: auto; border: 1px solid #eee; }
figcaption { font-size: 0.9em; color: #444; }
table { border-collapse: collapse; margin: 0.6em 0; font-size: 0.9em; }
th, td { border: 1px solid #ccc; padding: 0.2em 0.6em; text-align: left; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
.missing { background: #fff3cd; border: 1px solid #c9a227; padding: 0.5em 0.8em; }
.lead { font-size: 1.05em; }
code { background: #f3f3f3; padding: 0 0.2em; }
"""

# Everything the page may load: its own inline style and data: images, nothing else.
_POLICY = "default-src 'none'; img-src data:; style-src 'unsafe-inline'"


def _e(text: object) -> str:
    return html.escape(str(text), quote=True)


def _switch(name: str) -> str:
    return f"<code>{name}</code> (line {LINE_OF[name]})"


def _with_dfncp(p) -> str:
    """The network switches act only with the network computation on."""
    return "" if p.on("dfncp") else f" (with {_switch('dfncp')})"


def _missing(text: str) -> str:
    return f'<p class="missing">{text}</p>'


def _figure(png: bytes, alt: str, caption: str) -> str:
    data = base64.b64encode(png).decode("ascii")
    return (f'<figure><img alt="{_e(alt)}" src="data:image/png;base64,{data}">'
            f"<figcaption>{caption}</figcaption></figure>")


def _fmt(value: float, digits: int = 4) -> str:
    if value is None or (isinstance(value, float) and math.isnan(value)):
        return ""
    return f"{value:.{digits}g}"


def _table(header: list[str], rows: list[list[str]], numeric_from: int = 1) -> str:
    head = "".join(f"<th>{_e(h)}</th>" for h in header)
    body = "".join(
        "<tr>" + "".join(f'<td class="n">{_e(c)}</td>' if i >= numeric_from else f"<td>{_e(c)}</td>"
                         for i, c in enumerate(row)) + "</tr>"
        for row in rows)
    return f"<table><thead><tr>{head}</tr></thead><tbody>{body}</tbody></table>"


def _method_off(run: Run, method: str) -> str | None:
    """Why a method has no face flows, as a sentence naming the switch; None if it has."""
    switch = "dfncp" if method == "dfn" else "grdcp"
    if not run.parameters.on(switch):
        name = "network (DFN)" if method == "dfn" else "grid (fracture-continuum)"
        return f"The {name} flow computation was off: turn on {_switch(switch)}."
    if not run.with_results(method):
        return f"No realization has a {FLOW_FILE[method]}NNNN.txt file."
    return None


def _transport_off(run: Run, method: str) -> str | None:
    off = _method_off(run, method)
    if off:
        return off
    switch = "dfntr" if method == "dfn" else "grdtr"
    if not run.parameters.on(switch):
        name = "DFN" if method == "dfn" else "grid"
        return f"{name} particle transport was off: turn on {_switch(switch)}."
    if not run.breakthrough_curves(method).realizations.size:
        return f"No realization has a {CURVE_FILE[method]}NNNN.txt file."
    return None


# --- sections ---------------------------------------------------------------------------------


def _section_global(run: Run) -> tuple[str, str]:
    reasons = [r for r in (_method_off(run, m) for m in METHODS) if r]
    if reasons:
        return "", _missing("Global flows of both methods are needed. " + " ".join(reasons))
    dfn, grid = run.face_flows("dfn"), run.face_flows("grid")
    common, i_dfn, i_grid = np.intersect1d(dfn.realizations, grid.realizations,
                                           return_indices=True)
    if not common.size:
        return "", _missing("No realization has the face flows of both methods.")
    g_dfn, g_grid = dfn.values[i_dfn, 4], grid.values[i_grid, 4]
    with np.errstate(divide="ignore", invalid="ignore"):
        ratio = g_grid / g_dfn
    finite = ratio[np.isfinite(ratio)]
    lead = ""
    if finite.size:
        low, high = np.percentile(finite, [10, 90])
        lead = (f"Over {common.size} realization{'s' if common.size > 1 else ''}, the grid's "
                f"global flow is {_fmt(float(np.median(finite)), 3)} times the DFN's "
                f"(median ratio; 10-90 %: {_fmt(float(low), 3)} to {_fmt(float(high), 3)}).")
    png = figures.global_flow_figure(g_dfn, g_grid)
    return lead, _figure(png, "global flow, grid against DFN",
                         "Left: the global flow of each realization, half the sum of the "
                         "magnitudes of the four face flows, grid against DFN; points above "
                         "the dashed line have more flow on the grid. Right: the ratio "
                         "grid / DFN over the realizations.")


def _section_faces(run: Run) -> str:
    flows = {m: run.face_flows(m).values for m in METHODS if not _method_off(run, m)}
    notes = "".join(_missing(r) for r in (_method_off(run, m) for m in METHODS) if r)
    if not flows:
        return notes
    rows = []
    for method, values in flows.items():
        mean = values.mean(axis=0)
        spread = values.std(axis=0)
        rows.append([figures.LABELS[method]] +
                    [f"{_fmt(float(m))} ± {_fmt(float(s), 2)}" for m, s in zip(mean, spread)])
    table = _table(["method", "top", "right", "bottom", "left", "global"], rows)
    png = figures.face_flow_figure(flows)
    return notes + _figure(png, "face flows of each method",
                           "Flow through each face of the domain, positive where water "
                           "leaves: bar = mean over the realizations, whisker = 10th to 90th "
                           "percentile, dots = the realizations.") + \
        "<p>Mean ± standard deviation over the realizations:</p>" + table


def _section_curves(run: Run) -> str:
    data, notes = {}, []
    for method in METHODS:
        off = _transport_off(run, method)
        if off:
            notes.append(_missing(off))
            continue
        curves = run.breakthrough_curves(method)
        released = run.parameters.totalparticles
        data[method] = (curves.times, curves.counts[:, :, 4], released)
    if not data:
        return "".join(notes)
    lines = []
    for method, (_, totals, released) in data.items():
        never = 1 - totals.sum(axis=1) / max(released, 1)
        lines.append(f"{figures.LABELS[method]}: {100 * float(never.mean()):.1f} % of the "
                     f"particles never arrived (mean over {totals.shape[0]} realizations; "
                     f"10-90 %: {100 * float(np.percentile(never, 10)):.1f} to "
                     f"{100 * float(np.percentile(never, 90)):.1f} %)")
    p = run.parameters
    cap = p.bcsize * 1.001 * p.bcstep
    caption = ("Share of the released particles arriving at any face per time bin (left) and "
               "arrived so far (right): line = mean over the realizations, band = 10th to 90th "
               f"percentile. A particle never arrives when it stops at a node or cell with no "
               f"downhill neighbour, exceeds the time cap ({_fmt(cap, 6)}), or arrives after the "
               f"last bin ({p.bcsize} bins of {p.bcstep}).")
    return ("".join(notes) + _figure(figures.breakthrough_figure(data), "breakthrough curves",
                                     caption) +
            "<ul>" + "".join(f"<li>{_e(line)}</li>" for line in lines) + "</ul>")


def _pick_realization(run: Run, wanted: int | None) -> tuple[int | None, str]:
    has_any = [r.number for r in run.realizations if r.files]
    choice = 1 if wanted is None else wanted
    if any(r.number == choice and r.files for r in run.realizations):
        return choice, ""
    if not has_any:
        return None, "No realization has results."
    state = next((r.state for r in run.realizations if r.number == choice), "not in the study")
    return has_any[0], (f"Realization {choice} has no results ({state}); "
                        f"realization {has_any[0]} is shown instead.")


def _section_realization(run: Run, wanted: int | None) -> tuple[str, str]:
    k, note = _pick_realization(run, wanted)
    if k is None:
        return "", _missing(note)
    try:
        return _realization(run, k, note)
    except (OSError, ValueError) as error:
        return f"d. Realization {k}", _missing(
            _e(f"A file of realization {k} cannot be read ({error}): the figure is left out."))


def _realization(run: Run, k: int, note: str) -> tuple[str, str]:
    p = run.parameters
    missing, notes = {}, []
    if note:
        notes.append(_missing(_e(note)))

    segments = segment_head = backbone = backbone_head = None
    network_file = Path(run.folder) / f"Network_data.{k:04d}.txt"
    if run.has("Segments.", k) or network_file.exists():
        segments = run.segments(k)
    else:
        missing["network"] = "no network: turn on ntwrk"
        notes.append(_missing(f"The network is drawn from Segments.{k:04d}.bln or "
                              f"Network_data.{k:04d}.txt; neither is here: turn on "
                              f"{_switch('ntwrk')}."))
    if run.has("Backbone.", k) or run.has("FlowData.", k):
        backbone = run.backbone(k)
    elif segments is not None:
        notes.append(_missing(f"No backbone file: turn on {_switch('bbone')} or "
                              f"{_switch('dfndt')}" + _with_dfncp(p) + " to draw the backbone."))
    heads_range = [p.tf1, p.tf2, p.rf1, p.rf2, p.bf1, p.bf2, p.lf1, p.lf2]
    if run.has("dfnhead.", k):
        node_heads = run.heads("dfn", k)
        heads_range += [float(np.nanmin(node_heads[:, 2], initial=np.inf)),
                        float(np.nanmax(node_heads[:, 2], initial=-np.inf))]
        if segments is not None:
            segment_head = figures.segment_heads(segments, node_heads, run.boundary_head)
        if backbone is not None:
            backbone_head = figures.segment_heads(backbone, node_heads, run.boundary_head)
    elif segments is not None:
        notes.append(_missing(f"The network is drawn in grey: the DFN heads "
                              f"(dfnhead.{k:04d}.txt) are written with {_switch('dfndt')}"
                              + _with_dfncp(p) + " on."))
    grid_image = None
    if run.has("grdhead.", k):
        grid_heads = run.heads("grid", k)
        grid_image = figures.grid_head_image(grid_heads, (p.cellSizeX, p.cellSizeY),
                                             (p.cellx, p.celly))
        if grid_heads.size:
            heads_range += [float(grid_heads[:, 2].min()), float(grid_heads[:, 2].max())]
    else:
        why = "grid computation off: turn on grdcp" if not p.on("grdcp") else \
            "no grid heads: turn on grddt"
        missing["grid"] = why
        notes.append(_missing(f"The grid head map needs grdhead.{k:04d}.txt: turn on "
                              f"{_switch('grddt')}" +
                              ("" if p.on("grdcp") else f" and {_switch('grdcp')}") + "."))
    particles = None
    if run.has("Particles_last_location.", k):
        particles = run.last_locations(k)
        if not particles.size:
            missing["particles"] = "no particle was tracked (no injection segment)"
    else:
        missing["particles"] = "no DFN particles: turn on dfntr"
        notes.append(_missing(f"The particles' last positions need "
                              f"Particles_last_location.{k:04d}.txt: turn on {_switch('dfntr')}"
                              + _with_dfncp(p) + "."))
    finite = [h for h in heads_range if math.isfinite(h)]
    png = figures.realization_figure(
        (p.domainL, p.domainW), (min(finite), max(finite)), segments, segment_head, backbone,
        backbone_head, grid_image, particles, missing)
    source = f"Segments.{k:04d}.bln" if run.has("Segments.", k) else f"Network_data.{k:04d}.txt"
    caption = (f"Realization {k}. Left: the pieces of the network ({source}), each coloured by "
               "the mean head of its two ends (grey where unknown), the backbone (the segments "
               "that carry a significant share of the flow, which the particles walk) bold. "
               "Middle: the head of each active internal cell of the grid; the outermost ring "
               "of cells holds the fixed boundary heads and is not in the head file, and cells "
               "of clusters that reach no face have no defined head (the solver leaves them at "
               "its start value, 0). Right: "
               "where each DFN particle started (squares) and stopped: on a face (arrived) or "
               "inside (no downhill segment, or over the time cap). Run "
               "<code>fracflow-report --realization N</code> to show another realization.")
    return f"d. Realization {k}", "".join(notes) + _figure(png, f"realization {k}", caption)


def _section_budget(run: Run) -> str:
    rows, series = [], {}
    sink = run.parameters.on("sink")
    for method in METHODS:
        if _method_off(run, method):
            continue
        flows = run.face_flows(method)
        well = well_outflow(run) if method == "dfn" else 0.0
        values = []
        for k, face in zip(flows.realizations, flows.values):
            b = budget(face, well)
            values.append(b["percent_discrepancy"])
            rows.append([str(k), figures.LABELS[method], _fmt(b["inflow"], 6),
                         _fmt(b["outflow"], 6)] + ([_fmt(well, 6) if method == "dfn" else ""]
                                                   if sink else [])
                        + [_fmt(b["in_minus_out"], 3), _fmt(b["percent_discrepancy"], 3)])
        series[method] = (flows.realizations, np.array(values, dtype=float))
    if not rows:
        return "".join(_missing(r) for r in (_method_off(run, m) for m in METHODS) if r)
    rows.sort(key=lambda r: (int(r[0]), r[1]))
    header = ["realization", "method", "inflow", "outflow"] + (
        ["of which the well"] if sink else []) + ["in − out", "percent discrepancy"]
    explain = (
        "<p>Inflow is the sum of the face flows that enter the domain, outflow the sum of "
        "those that leave it" + (", plus what the well takes out of the network (the well "
        "exists in the DFN only)" if sink else "") + "; percent discrepancy is "
        "100 (in − out) / ((in + out) / 2). The grid's face flows count the flow into every "
        "active cell along the faces, so its budget closes to the solver's tolerance. The "
        "DFN's face flows count only the backbone segments that reach a face (and leave out "
        "the few that cut across a corner cell), so water entering or leaving through other "
        "segments at the faces is missing from its budget: its discrepancy measures how much "
        "flow the backbone leaves out.</p>")
    table = _table(header, [r for r in rows], numeric_from=2)
    if len(rows) > 24:
        table = f"<details><summary>Budget of every realization ({len(rows)} rows)</summary>{table}</details>"
    worst = []
    for method, (_, values) in series.items():
        finite = np.abs(values[np.isfinite(values)])
        if finite.size:
            worst.append(f"{figures.LABELS[method]}: largest |discrepancy| "
                         f"{_fmt(float(finite.max()), 3)} %, median {_fmt(float(np.median(finite)), 3)} %")
    png = figures.discrepancy_figure(series)
    return (explain + _figure(png, "percent discrepancy per realization",
                              "Percent discrepancy of each realization's water budget.") +
            "<ul>" + "".join(f"<li>{_e(w)}</li>" for w in worst) + "</ul>" + table)


def _ranges(numbers: list[int]) -> str:
    parts, start, prev = [], None, None
    for n in numbers + [None]:
        if start is not None and (n is None or n != prev + 1):
            parts.append(str(start) if start == prev else f"{start}–{prev}")
            start = None
        if n is not None and start is None:
            start = n
        prev = n
    return ", ".join(parts)


def _section_study(run: Run) -> str:
    p = run.parameters
    onoff = lambda s: "on" if p.on(s) else "off"  # noqa: E731
    window_x = ((p.scellx - 1) * p.cellSizeX, (p.ecellx - 1) * p.cellSizeX)
    window_y = ((p.scelly - 1) * p.cellSizeY, (p.ecelly - 1) * p.cellSizeY)
    rows = [
        ["domain", f"{_fmt(p.domainL, 8)} × {_fmt(p.domainW, 8)} (x from 0 to domainL, y from 0 to domainW)"],
        ["grid", f"{p.cellx} × {p.celly} cells of {_fmt(p.cellSizeX, 6)} × {_fmt(p.cellSizeY, 6)}"],
        ["injection window", f"x {_fmt(window_x[0], 6)} to {_fmt(window_x[1], 6)}, "
                             f"y {_fmt(window_y[0], 6)} to {_fmt(window_y[1], 6)} "
                             f"(grid lines {p.scellx}–{p.ecellx} in x, {p.scelly}–{p.ecelly} in y)"],
        ["particles per method", str(p.totalparticles)],
        ["breakthrough curve", f"{p.bcsize} bins of {p.bcstep}; travel-time cap "
                               f"{_fmt(p.bcsize * 1.001 * p.bcstep, 8)}"],
        ["realizations", f"{p.numberruns}; {p.meet_fracs} fracture lines read per network file"],
        ["heads, top face", f"{_fmt(p.tf1, 8)} at x = 0 to {_fmt(p.tf2, 8)} at x = domainL"],
        ["heads, right face", f"{_fmt(p.rf1, 8)} at y = 0 to {_fmt(p.rf2, 8)} at y = domainW"],
        ["heads, bottom face", f"{_fmt(p.bf1, 8)} at x = 0 to {_fmt(p.bf2, 8)} at x = domainL"],
        ["heads, left face", f"{_fmt(p.lf1, 8)} at y = 0 to {_fmt(p.lf2, 8)} at y = domainW"],
        ["well (DFN only)", (f"on: centre ({_fmt(p.sinkLocX, 8)}, {_fmt(p.sinkLocY, 8)}), "
                             f"half-width {_fmt(p.sinkRad, 8)}, flux {_fmt(p.sinkFlux, 8)} "
                             "taken out") if p.on("sink") else "off"],
        ["solvers", f"at most {p.maxit} iterations, relative tolerance {_fmt(p.tol, 6)}"],
        ["switches", ", ".join(f"{s} {onoff(s)}" for s in (
            "ntwrk", "dfncp", "dfnfl", "bbone", "dfndt", "dfntr", "grdcp", "grdfl", "grddt",
            "grdtr"))],
    ]
    params = _table(["parameter", "value"], rows, numeric_from=9)
    groups: dict[tuple[str, str], list[int]] = {}
    for status in run.realizations:
        groups.setdefault((status.state, status.reason), []).append(status.number)
    order = ["ran", "incomplete", "skipped", "ended the run", "no output", "not run"]
    status_rows = [[_ranges(numbers), state, reason] for (state, reason), numbers in
                   sorted(groups.items(), key=lambda g: (g[1][0]))]
    status_rows.sort(key=lambda r: (order.index(r[1]) if r[1] in order else 9, r[0]))
    counts = {s: sum(len(n) for (st, _), n in groups.items() if st == s) for s in order}
    lead = ", ".join(f"{counts[s]} {s}" for s in order if counts[s])
    statuses = _table(["realizations", "state", "why"], status_rows, numeric_from=9)
    notes = "".join(_missing(_e(n)) for n in run.notes)
    console = ("" if run.console is None else
               "<p>The console log saved as <code>console.txt</code> was read for the reasons.</p>")
    return (params + f"<p>Realizations: {_e(lead)}.</p>" + statuses + console + notes)


def build_page(run: Run, realization: int | None = None, progress=None) -> str:
    say = progress or (lambda message: None)
    p = run.parameters
    ran = [r.number for r in run.realizations if r.files]
    say("global flows")
    lead_a, body_a = _section_global(run)
    say("face flows")
    body_b = _section_faces(run)
    say("breakthrough curves")
    body_c = _section_curves(run)
    say("one realization")
    title_d, body_d = _section_realization(run, realization)
    say("water budget")
    body_e = _section_budget(run)
    body_f = _section_study(run)
    folder = os.path.abspath(run.folder)
    lead = (f"The study in <code>{_e(folder)}</code>: {len(ran)} of {p.numberruns} "
            f"realizations have results. Each realization's fracture network was solved by the "
            f"discrete fracture network (DFN) method and by the fracture-continuum (grid) "
            f"method on a {p.cellx} × {p.celly} grid, as far as the switches "
            f"<code>dfncp</code> and <code>grdcp</code> were on. {_e(lead_a)}")
    sections = [
        ("a. Global flow, grid against DFN", body_a),
        ("b. Face flows of each method", body_b),
        ("c. Breakthrough curves", body_c),
        (title_d or "d. One realization", body_d),
        ("e. Water budget", body_e),
        ("f. Study parameters and realizations", body_f),
    ]
    parts = "".join(f"<section><h2>{_e(title)}</h2>{body}</section>" for title, body in sections)
    return (
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        f'<meta http-equiv="Content-Security-Policy" content="{_POLICY}">'
        '<meta name="viewport" content="width=device-width, initial-scale=1">'
        f"<title>fracflow report: {_e(os.path.basename(folder) or folder)}</title>"
        f"<style>{_STYLE}</style></head><body>"
        "<h1>How do the two methods compare on this study?</h1>"
        f'<p class="lead">{lead}</p>{parts}'
        "<footer><p>Written by fracflow-report. The numbers per realization and method are in "
        "<code>summary.csv</code> beside this page; docs/model.md of fracflow explains what "
        "they mean.</p></footer></body></html>\n")


def write_report(run: Run, realization: int | None = None, progress=None) -> Path:
    """Writes report/summary.csv and report/index.html; returns the path of the page."""
    say = progress or (lambda message: None)
    folder = Path(run.folder) / REPORT_FOLDER
    folder.mkdir(exist_ok=True)
    say("summary")
    _write_atomically(folder / "summary.csv", summary_csv(summary_rows(run)))
    page = build_page(run, realization, say)
    target = folder / "index.html"
    _write_atomically(target, page)
    return target


def _write_atomically(path: Path, text: str) -> None:
    temporary = path.with_name(f".{path.name}.tmp{os.getpid()}")
    try:
        temporary.write_text(text, encoding="utf-8")
        os.replace(temporary, path)
    finally:
        if temporary.exists():
            temporary.unlink()

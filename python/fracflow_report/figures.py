"""The report's figures, drawn with matplotlib's Agg canvas (no display, no global state) and
returned as PNG bytes.  Each function takes plain arrays, so a user's script can call it too."""

from __future__ import annotations

import io

import numpy as np
from matplotlib.backends.backend_agg import FigureCanvasAgg
from matplotlib.collections import LineCollection
from matplotlib.figure import Figure
from matplotlib.ticker import MaxNLocator

COLOURS = {"dfn": "#1f77b4", "grid": "#d95f02"}
LABELS = {"dfn": "DFN", "grid": "grid"}
FACE_NAMES = ("top", "right", "bottom", "left")
DPI = 96


def _figure(width: float, height: float, columns: int = 1) -> tuple[Figure, list]:
    figure = Figure(figsize=(width, height), dpi=DPI, layout="constrained")
    FigureCanvasAgg(figure)
    axes = figure.subplots(1, columns, squeeze=False)[0]
    return figure, list(axes)


def png(figure: Figure) -> bytes:
    out = io.BytesIO()
    figure.savefig(out, format="png", dpi=DPI)
    return out.getvalue()


def global_flow_figure(dfn: np.ndarray, grid: np.ndarray) -> bytes:
    """a. Global flow of the grid against the DFN, one point per realization, with the 1:1
    line; and the distribution of the ratio grid / DFN."""
    figure, (scatter, histogram) = _figure(10, 4.2, 2)
    top = max(float(np.max(dfn, initial=0)), float(np.max(grid, initial=0))) * 1.08 or 1.0
    scatter.plot([0, top], [0, top], color="0.5", linestyle="--", linewidth=1, label="1:1")
    scatter.scatter(dfn, grid, s=22, color=COLOURS["grid"], edgecolor="k", linewidth=0.4,
                    label="realization", zorder=3)
    scatter.set(xlim=(0, top), ylim=(0, top), xlabel="global flow, DFN",
                ylabel="global flow, grid", title="Global flow per realization")
    scatter.set_aspect("equal")
    scatter.legend(loc="lower right")
    with np.errstate(divide="ignore", invalid="ignore"):
        ratio = grid / dfn
    ratio = ratio[np.isfinite(ratio)]
    if ratio.size:
        histogram.hist(ratio, bins=min(30, max(5, ratio.size // 3)), color=COLOURS["grid"],
                       edgecolor="k", linewidth=0.4)
        histogram.axvline(1.0, color="0.5", linestyle="--", linewidth=1)
        histogram.axvline(float(np.median(ratio)), color="k", linewidth=1.2,
                          label=f"median {np.median(ratio):.3g}")
        histogram.legend(loc="upper right")
    histogram.set(xlabel="global flow ratio grid / DFN", ylabel="realizations",
                  title="Ratio of the two methods")
    return png(figure)


def face_flow_figure(flows: dict[str, np.ndarray]) -> bytes:
    """b. The four face flows of each method: ensemble mean (bar), 10-90 % range (whisker)
    and every realization (dots).  ``flows[method]`` is (n, 5) as in FaceFlows.values."""
    figure, (axes,) = _figure(10, 4.2)
    methods = [m for m in ("dfn", "grid") if m in flows and len(flows[m])]
    width = 0.8 / max(len(methods), 1)
    positions = np.arange(4)
    rng = np.random.default_rng(0)
    for i, method in enumerate(methods):
        values = flows[method][:, :4]
        x = positions - 0.4 + width * (i + 0.5)
        mean = values.mean(axis=0)
        low, high = np.percentile(values, [10, 90], axis=0)
        axes.bar(x, mean, width * 0.9, color=COLOURS[method], alpha=0.55,
                 label=f"{LABELS[method]} mean ({len(values)} realizations)")
        axes.errorbar(x, mean, yerr=[mean - low, high - mean], fmt="none", ecolor="k",
                      capsize=4, linewidth=1)
        jitter = rng.uniform(-width * 0.25, width * 0.25, size=values.shape)
        axes.scatter((x + jitter).ravel(), values.ravel(), s=8, color=COLOURS[method],
                     edgecolor="k", linewidth=0.3, zorder=3)
    axes.axhline(0, color="k", linewidth=0.8)
    axes.set_xticks(positions, [f"{f} face" for f in FACE_NAMES])
    axes.set(ylabel="face flow (positive: out of the domain)",
             title="Face flows: mean, 10-90 % range and each realization")
    axes.legend(loc="best")
    return png(figure)


def breakthrough_figure(curves: dict[str, tuple[np.ndarray, np.ndarray, int]]) -> bytes:
    """c. Breakthrough curves per method: ensemble mean and 10-90 % band of the share of the
    released particles arriving per bin, and of the cumulative share arrived.
    ``curves[method]`` is (bin centres, (n, bins) total arrivals, particles released)."""
    figure, (per_bin, cumulative) = _figure(10, 4.2, 2)
    for method, (times, totals, released) in curves.items():
        if totals.shape[0] == 0:
            continue
        share = totals / max(released, 1)
        arrived = np.cumsum(share, axis=1)
        never = 1.0 - arrived[:, -1]
        label = (f"{LABELS[method]}: {totals.shape[0]} realizations, "
                 f"never arrived {100 * never.mean():.1f} %")
        for axes, values in ((per_bin, share), (cumulative, arrived)):
            low, high = np.percentile(values, [10, 90], axis=0)
            axes.fill_between(times, low, high, step="mid", color=COLOURS[method], alpha=0.25,
                              linewidth=0)
            axes.step(times, values.mean(axis=0), where="mid", color=COLOURS[method],
                      linewidth=1.6, label=label)
    per_bin.set(xlabel="travel time (bin centre)", ylabel="share of particles arriving in the bin",
                title="Arrivals per bin: mean and 10-90 % band")
    cumulative.set(xlabel="travel time (bin centre)", ylabel="share of particles arrived",
                   title="Cumulative share arrived", ylim=(0, 1.02))
    for axes in (per_bin, cumulative):
        axes.set_xlim(left=0)
        axes.legend(loc="best", fontsize="small")
    return png(figure)


def discrepancy_figure(discrepancies: dict[str, tuple[np.ndarray, np.ndarray]]) -> bytes:
    """e. Percent discrepancy of the water budget per realization and method."""
    figure, (axes,) = _figure(10, 3.0)
    for method, (realizations, values) in discrepancies.items():
        axes.plot(realizations, values, marker="o", markersize=4, linewidth=0.8,
                  color=COLOURS[method], label=LABELS[method])
    axes.axhline(0, color="k", linewidth=0.8)
    axes.xaxis.set_major_locator(MaxNLocator(integer=True))
    axes.set(xlabel="realization", ylabel="percent discrepancy",
             title="Water budget: 100 (in - out) / ((in + out) / 2)")
    axes.legend(loc="best")
    return png(figure)


def _head_lookup(heads: np.ndarray):
    """Maps points to the head of the node printed at the same place (6 decimals)."""
    table = {(round(x * 1e6), round(y * 1e6)): h for x, y, h in heads.tolist()}

    def lookup(x: np.ndarray, y: np.ndarray) -> np.ndarray:
        return np.array([table.get((round(a * 1e6), round(b * 1e6)), np.nan)
                         for a, b in zip(x.tolist(), y.tolist())])

    return lookup


def segment_heads(segments: np.ndarray, node_heads: np.ndarray, boundary_head) -> np.ndarray:
    """Mean head of the two ends of each segment (x1, y1, x2, y2), from the internal node
    heads and the fixed heads of the faces; NaN where neither end is known."""
    lookup = _head_lookup(node_heads)
    ends = []
    for x, y in ((segments[:, 0], segments[:, 1]), (segments[:, 2], segments[:, 3])):
        head = boundary_head(x, y)
        inside = np.isnan(head)
        head[inside] = lookup(x[inside], y[inside])
        ends.append(head)
    if not segments.size:
        return np.empty(0)
    stack = np.vstack(ends)
    known = np.isfinite(stack)
    with np.errstate(invalid="ignore", divide="ignore"):
        return np.where(known, stack, 0.0).sum(axis=0) / known.sum(axis=0)


def realization_figure(domain: tuple[float, float], head_range: tuple[float, float],
                       segments: np.ndarray | None, segment_head: np.ndarray | None,
                       backbone: np.ndarray | None, backbone_head: np.ndarray | None,
                       grid_heads: np.ndarray | None, particles: np.ndarray | None, missing: dict[str, str]) -> bytes:
    """d. One realization: the network coloured by head with the backbone bold, the grid
    head map (inactive cells blank), and the DFN particles' last positions.  A panel whose
    input is missing shows the text of ``missing[panel]``."""
    from matplotlib import colormaps
    from matplotlib.colors import Normalize

    length, width = domain
    figure, axes = _figure(15, 4.3 * min(max(width / length, 0.3), 2.0) + 1.0, 3)
    cmap = colormaps["viridis"].copy()
    cmap.set_bad("white")
    lo, hi = head_range
    norm_args = {"norm": Normalize(lo, hi if hi > lo else lo + 1)}
    mappable = None

    network, grid, particle_axes = axes
    if segments is not None and len(segments):
        lines = segments[:, :4].reshape(-1, 2, 2)
        coloured = LineCollection(lines, linewidths=0.6, cmap=cmap, **norm_args)
        if segment_head is not None:
            coloured.set_array(np.ma.masked_invalid(segment_head))
        else:
            coloured.set_color("0.55")
        network.add_collection(coloured)
        mappable = coloured if segment_head is not None else mappable
    if backbone is not None and len(backbone):
        lines = backbone[:, :4].reshape(-1, 2, 2)
        network.add_collection(LineCollection(lines, linewidths=2.6, colors="k"))
        bold = LineCollection(lines, linewidths=1.6, cmap=cmap, **norm_args)
        if backbone_head is not None:
            bold.set_array(np.ma.masked_invalid(backbone_head))
        else:
            bold.set_color("0.3")
        network.add_collection(bold)
    network.set_title("Network by head; backbone bold")
    if grid_heads is not None:
        image = grid.imshow(grid_heads, origin="lower", extent=(0, length, 0, width),
                            cmap=cmap, interpolation="nearest", **norm_args)
        mappable = mappable or image
    grid.set_title("Grid heads (inactive cells blank)")
    if particles is not None and len(particles):
        if backbone is not None and len(backbone):
            particle_axes.add_collection(LineCollection(backbone[:, :4].reshape(-1, 2, 2),
                                                        linewidths=0.6, colors="0.75"))
        x, y = particles[:, 2], particles[:, 3]
        edge = (x == 0) | (x == length) | (y == 0) | (y == width)
        particle_axes.scatter(particles[:, 0], particles[:, 1], s=14, marker="s",
                              facecolor="none", edgecolor="0.4", linewidth=0.6,
                              label="injection points")
        particle_axes.scatter(x[edge], y[edge], s=12, color=COLOURS["dfn"], alpha=0.6,
                              label=f"stopped on a face: {int(edge.sum())}")
        particle_axes.scatter(x[~edge], y[~edge], s=16, marker="x", color="#c0392b",
                              label=f"stopped inside: {int((~edge).sum())}")
        particle_axes.legend(loc="upper center", bbox_to_anchor=(0.5, -0.08), ncol=3,
                             fontsize="small", frameon=False)
    particle_axes.set_title("DFN particles: last positions")
    for panel, key in ((network, "network"), (grid, "grid"), (particle_axes, "particles")):
        panel.set_xlim(0, length)
        panel.set_ylim(0, width)
        panel.set_aspect("equal")
        if key in missing:
            panel.text(0.5, 0.5, missing[key], transform=panel.transAxes, ha="center",
                       va="center", wrap=True, fontsize="medium",
                       bbox={"facecolor": "#fff3cd", "edgecolor": "#c9a227"})
    if mappable is not None:
        figure.colorbar(mappable, ax=[network, grid], shrink=0.85, label="head")
    return png(figure)


def grid_head_image(heads: np.ndarray, cell_size: tuple[float, float],
                    shape: tuple[int, int]) -> np.ndarray:
    """A (celly, cellx) array of the heads of grdhead. (cell centres), NaN elsewhere."""
    cellx, celly = shape
    image = np.full((celly, cellx), np.nan)
    if heads.size:
        i = np.floor(heads[:, 0] / cell_size[0]).astype(int)
        j = np.floor(heads[:, 1] / cell_size[1]).astype(int)
        keep = (i >= 0) & (i < cellx) & (j >= 0) & (j < celly)
        image[j[keep], i[keep]] = heads[keep, 2]
    return image

"""Readers of the per-realization files a run writes, each returning numpy arrays.

Every reader takes a path and reads the whole file at once: the numbers are split on white
space and converted in one numpy call, which is many times faster than line-by-line parsing
for the large head and particle files.  Column orders are those of the files (see
docs/model.md).
"""

from __future__ import annotations

import dataclasses
import re
from pathlib import Path

import numpy as np

FACES = ("top", "right", "bottom", "left")

# File-name prefixes of a realization's files; the name is prefix + NNNN + extension.
PREFIXES = {
    "Fractures.": ".bln", "Segments.": ".bln", "a.": ".txt", "b.": ".txt",
    "NoConDFN.": ".txt", "Backbone.": ".bln", "dfnhead.": ".txt", "FlowData.": ".txt",
    "DFN_flow.": ".txt", "Particles_last_location.": ".txt", "DFN_bcrv.": ".txt",
    "ag.": ".txt", "bg.": ".txt", "NoConGrd.": ".txt", "grdhead.": ".txt",
    "Grd_flow.": ".txt", "Grd_bcrv.": ".txt",
}


def file_name(prefix: str, realization: int) -> str:
    """``file_name("DFN_flow.", 7)`` is ``"DFN_flow.0007.txt"``."""
    return f"{prefix}{realization:04d}{PREFIXES.get(prefix, '.txt')}"


def _numbers(path: str | Path, columns: int) -> np.ndarray:
    text = Path(path).read_bytes()
    try:
        values = np.array(text.split(), dtype=np.float64)
    except ValueError:
        raise ValueError(f"{Path(path).name}: holds text that is not a number") from None
    if values.size % columns:
        raise ValueError(f"{Path(path).name}: {values.size} numbers, not a multiple of "
                         f"{columns} columns")
    return values.reshape(-1, columns)


@dataclasses.dataclass(frozen=True)
class FlowFile:
    """A DFN_flow. or Grd_flow. file.

    ``flows``: top, right, bottom and left face flows and the global flow (positive: out of
    the domain through that face); ``texts``: the same five numbers exactly as the file
    writes them; ``counts``: the integer lines after the flows by their labels ("Transp",
    "Internal Nodes", ... for the network; "Internal Cells", ... for the grid).
    """

    flows: np.ndarray
    texts: tuple[str, ...]
    counts: dict[str, int]


_LABELLED = re.compile(r"^\s*(.*?)\s*=\s*(\S+)\s*$")


def read_flow_file(path: str | Path) -> FlowFile:
    texts: list[str] = []
    counts: dict[str, int] = {}
    for line in Path(path).read_text(encoding="ascii", errors="replace").splitlines():
        match = _LABELLED.match(line)
        if not match:
            continue
        label, value = match.groups()
        if len(texts) < 5:
            texts.append(value)
        else:
            counts[label] = int(value)
    if len(texts) < 5:
        raise ValueError(f"{Path(path).name}: holds {len(texts)} of the 5 flow lines")
    return FlowFile(np.array([float(t) for t in texts]), tuple(texts), counts)


@dataclasses.dataclass(frozen=True)
class BreakthroughCurve:
    """A DFN_bcrv. or Grd_bcrv. file: ``times`` holds the bin centres, ``counts`` one row per
    bin with the arrivals at the top, right, bottom and left faces and their total, and
    ``cumulative`` the running total of arrivals."""

    times: np.ndarray
    counts: np.ndarray
    cumulative: np.ndarray


def read_breakthrough_curve(path: str | Path) -> BreakthroughCurve:
    table = _numbers(path, 7)
    return BreakthroughCurve(table[:, 0].copy(), table[:, 1:6].astype(np.int64),
                             table[:, 6].astype(np.int64))


def read_heads(path: str | Path) -> np.ndarray:
    """dfnhead. (internal nodes) or grdhead. (internal cell centres): columns x, y, head."""
    return _numbers(path, 3)


def read_flow_data(path: str | Path) -> np.ndarray:
    """FlowData.: per backbone segment x1, y1, x2, y2, perm and the flow through it."""
    return _numbers(path, 6)


def read_last_locations(path: str | Path) -> np.ndarray:
    """Particles_last_location.: per DFN particle the injection point x, y, the point where
    it stopped x, y and its travel time."""
    return _numbers(path, 5)


def read_polylines(path: str | Path) -> np.ndarray:
    """A .bln plot file of two-point polylines (Fractures., Segments., Backbone.):
    one row x1, y1, x2, y2 per polyline."""
    table = np.array(Path(path).read_bytes().replace(b",", b" ").split(), dtype=np.float64)
    if table.size % 5 or np.any(table.reshape(-1, 5)[:, 0] != 2):
        raise ValueError(f"{path}: not a file of two-point polylines")
    return table.reshape(-1, 5)[:, 1:].copy()


def read_network_data(path: str | Path, lines: int | None = None) -> np.ndarray:
    """Network_data.: per fracture piece x1, y1, x2, y2, perm (the first ``lines`` lines,
    the first five numbers of each)."""
    rows = []
    with open(path, "rb") as stream:
        for number, line in enumerate(stream):
            if lines is not None and number >= lines:
                break
            fields = line.split()
            if len(fields) >= 5:
                rows.append(fields[:5])
    return np.array(rows, dtype=np.float64).reshape(-1, 5)


def read_non_convergence(path: str | Path) -> str:
    """NoConDFN. or NoConGrd.: the sentence on its second line."""
    lines = Path(path).read_text(encoding="ascii", errors="replace").splitlines()
    return lines[1].strip() if len(lines) > 1 else ""

"""A finished run in a study folder: its parameters, which realizations ran, and their results
as numpy arrays.

    import fracflow_report as fr
    run = fr.load_run("path/to/study")
    run.parameters.domainL                       # any value of the parameter file
    [r.number for r in run.realizations if r.state == "ran"]
    flows = run.face_flows("dfn")                # flows.values[:, 4] is the global flow
    curves = run.breakthrough_curves("grid")     # curves.counts[i, bin, face]
    heads = run.heads("dfn", 1)                  # x, y, head of the internal nodes

Methods are named "dfn" (discrete fracture network) and "grid" (fracture continuum).  Only
files that the run's switches write are read: a file left over from an earlier run with other
switches, or of a realization after the one that ended the run, is ignored.
"""

from __future__ import annotations

import dataclasses
import os
import re
from pathlib import Path

import numpy as np

from . import files
from .parameters import PARAMETER_FILE_NAME, Parameters, read_parameters

METHODS = ("dfn", "grid")
METHOD_NAMES = {"dfn": "DFN", "grid": "grid (fracture continuum)"}

# The switches that must all be 1 for a file family to be written.
GATES = {
    "Fractures.": ("ntwrk",), "Segments.": ("ntwrk",),
    "a.": ("dfncp", "dfnfl"), "b.": ("dfncp", "dfnfl"), "NoConDFN.": ("dfncp",),
    "Backbone.": ("dfncp", "bbone"), "dfnhead.": ("dfncp", "dfndt"),
    "FlowData.": ("dfncp", "dfndt"), "DFN_flow.": ("dfncp",),
    "Particles_last_location.": ("dfncp", "dfntr"), "DFN_bcrv.": ("dfncp", "dfntr"),
    "ag.": ("grdcp", "grdfl"), "bg.": ("grdcp", "grdfl"), "NoConGrd.": ("grdcp",),
    "grdhead.": ("grdcp", "grddt"), "Grd_flow.": ("grdcp",), "Grd_bcrv.": ("grdcp", "grdtr"),
}
NON_CONVERGENCE = ("NoConDFN.", "NoConGrd.")
_AFTER_GRID_SOLVE = frozenset({"grdhead.", "Grd_flow.", "Grd_bcrv."})
_AFTER_DFN_SOLVE = _AFTER_GRID_SOLVE | {"Backbone.", "dfnhead.", "FlowData.", "DFN_flow.",
                                        "Particles_last_location.", "DFN_bcrv.", "ag.", "bg.",
                                        "NoConGrd."}
FLOW_FILE = {"dfn": "DFN_flow.", "grid": "Grd_flow."}
CURVE_FILE = {"dfn": "DFN_bcrv.", "grid": "Grd_bcrv."}
HEAD_FILE = {"dfn": "dfnhead.", "grid": "grdhead."}

_FILE = re.compile(r"^(" + "|".join(re.escape(p) for p in files.PREFIXES) + r")(\d{4})\.(txt|bln)$")
_HEADER = re.compile(r"STARTING THE SIMULATIONS FOR MONTE-CARLO RELIAZATION NUMBER = (\d+)")
CONSOLE_FILE_NAME = "console.txt"


class NoRunError(Exception):
    """The folder holds no run to report on; the message says why."""


@dataclasses.dataclass(frozen=True)
class RealizationStatus:
    """What became of one realization.

    ``state`` is one of "ran" (every file its switches write is there), "incomplete" (some
    are missing), "ended the run", "skipped", "no output" or "not run"; ``reason`` says why
    in words; ``files`` holds the prefixes of the files of this realization that are read.
    """

    number: int
    state: str
    reason: str
    files: frozenset[str]


@dataclasses.dataclass(frozen=True)
class FaceFlows:
    """Face flows of one method: ``values[i]`` holds the top, right, bottom, left and global
    flow of realization ``realizations[i]``; ``texts[i]`` the same numbers as written in the
    file; ``counts[i]`` the node or cell counts of the file."""

    realizations: np.ndarray
    values: np.ndarray
    texts: list[tuple[str, ...]]
    counts: list[dict[str, int]]


@dataclasses.dataclass(frozen=True)
class BreakthroughCurves:
    """Breakthrough curves of one method: ``counts[i, j]`` holds the arrivals at the top,
    right, bottom and left faces and their total in bin j of realization
    ``realizations[i]``; ``times`` the bin centres; ``cumulative[i, j]`` the running total."""

    realizations: np.ndarray
    times: np.ndarray
    counts: np.ndarray
    cumulative: np.ndarray


def expected_prefixes(parameters: Parameters) -> frozenset[str]:
    """The file families a realization that runs to its end writes under these switches."""
    return frozenset(p for p, gate in GATES.items()
                     if p not in NON_CONVERGENCE and all(parameters.on(s) for s in gate))


def console_sections(text: str) -> dict[int, str]:
    """The console log cut into the text of each realization, by its header."""
    sections: dict[int, str] = {}
    matches = list(_HEADER.finditer(text))
    for i, match in enumerate(matches):
        end = matches[i + 1].start() if i + 1 < len(matches) else len(text)
        sections[int(match.group(1))] = text[match.end():end]
    return sections


_CONSOLE_ENDS = (
    ("Could not open the Network Data file", "skipped", "its network data file is missing"),
    ("fracture segment is too tiny", "ended the run", "a fracture segment is too tiny"),
    ("no nodes at the well location", "ended the run", "no network node lies at the well"),
    ("MINRES completed", "ended the run", "the DFN flow solver (MINRES) did not converge"),
    ("BiCg completed", "ended the run", "the grid flow solver (BiCG) did not converge"),
)


def _from_console(section: str | None) -> tuple[str, str] | None:
    if section is None:
        return None
    for needle, state, reason in _CONSOLE_ENDS:
        if needle in section:
            return state, reason + " (console log)"
    return None


class Run:
    """A study folder after a run of fracflow.  See the module's description."""

    def __init__(self, folder: str | Path):
        self.folder = Path(folder)
        if not self.folder.is_dir():
            raise NoRunError(f"{self.folder}: no such folder")
        names = os.listdir(self.folder)
        found: dict[int, set[str]] = {}
        for name in names:
            match = _FILE.match(name)
            if match and files.PREFIXES[match.group(1)] == "." + match.group(3):
                found.setdefault(int(match.group(2)), set()).add(match.group(1))
        if PARAMETER_FILE_NAME not in names:
            if found:
                raise NoRunError(f"{self.folder}: result files but no {PARAMETER_FILE_NAME}; "
                                 "a run is reported from the folder it ran in")
            raise NoRunError(f"{self.folder}: no fracflow run here (no {PARAMETER_FILE_NAME} "
                             "and no result files)")
        self.parameters: Parameters = read_parameters(self.folder / PARAMETER_FILE_NAME)
        self.console: str | None = None
        if CONSOLE_FILE_NAME in names:
            self.console = (self.folder / CONSOLE_FILE_NAME).read_text(errors="replace")
        self.notes: list[str] = []
        self._sections = console_sections(self.console) if self.console else {}
        self._flow_files: dict[tuple[str, int], files.FlowFile] = {}
        self._curves: dict[tuple[str, int], files.BreakthroughCurve] = {}
        self.realizations: list[RealizationStatus] = self._readable(self._statuses(found))
        self._by_number = {r.number: r for r in self.realizations}
        if not any(r.files for r in self.realizations):
            raise NoRunError(self._why_no_results(found))

    # --- what ran -------------------------------------------------------------------------

    def _statuses(self, found: dict[int, set[str]]) -> list[RealizationStatus]:
        p = self.parameters
        count = max(0, min(p.numberruns, 9999))
        gated = {k: frozenset(x for x in found.get(k, ()) if all(p.on(s) for s in GATES[x]))
                 for k in range(1, count + 1)}
        expected = expected_prefixes(p)
        sections = self._sections

        def newest(k: int) -> float:
            return max((os.stat(self.folder / files.file_name(x, k)).st_mtime
                        for x in gated[k]), default=0.0)

        # The realization that ended the run by a solver failure: its non-convergence file is
        # not older than the files of any later realization (those would be an earlier run's).
        end_at = None
        for k in range(1, count + 1):
            failed = [x for x in NON_CONVERGENCE if x in gated[k]]
            if failed:
                stamp = min(os.stat(self.folder / files.file_name(x, k)).st_mtime for x in failed)
                if all(newest(j) <= stamp for j in range(k + 1, count + 1)):
                    end_at = k
                    break
        last = end_at if end_at is not None else count
        with_output = [k for k in range(1, last + 1) if gated[k]]
        last_with_output = with_output[-1] if with_output else 0

        statuses = []
        for k in range(1, count + 1):
            present = gated[k]
            console = _from_console(sections.get(k))
            network_missing = not (self.folder / f"Network_data.{k:04d}.txt").exists()
            if end_at is not None and k > end_at:
                stale = " (files of an earlier run found for it are left out)" if present else ""
                statuses.append(RealizationStatus(
                    k, "not run", f"the run ended at realization {end_at}{stale}", frozenset()))
                continue
            if end_at == k:
                reasons = [files.read_non_convergence(self.folder / files.file_name(x, k))
                           for x in NON_CONVERGENCE if x in present]
                # Nothing after the failed solve was written in this run: results of that
                # method (and of the grid, after a DFN failure) are an earlier run's.
                stale = _AFTER_DFN_SOLVE if "NoConDFN." in present else _AFTER_GRID_SOLVE
                statuses.append(RealizationStatus(k, "ended the run", "; ".join(reasons),
                                                  present - stale))
                continue
            if expected and expected <= present:
                statuses.append(RealizationStatus(k, "ran", "", present))
                continue
            if console and (console[0] == "ended the run" or not present):
                state, reason = console
            elif not present and network_missing:
                state, reason = "skipped", f"Network_data.{k:04d}.txt is missing"
            elif not present and k < last_with_output:
                state, reason = "skipped", ("no output: its network data file could not be "
                                            "read, or it was not run in this folder")
            elif not present:
                state, reason = "ended the run", (
                    "no output, nor for any later realization: the run ended here (a "
                    "fracture segment too tiny, or no network node at the well) or was "
                    "stopped")
            elif k == last_with_output and present <= {"Fractures.", "Segments."}:
                state, reason = "ended the run", (
                    "only the network plot files were written: a fracture segment too tiny, "
                    "or no network node at the well")
            else:
                missing = ", ".join(files.file_name(x, k) for x in sorted(expected - present))
                state = "incomplete"
                reason = f"missing {missing}" + (
                    ": the run was stopped or could not write a file"
                    if k == last_with_output else "")
            statuses.append(RealizationStatus(k, state, reason, present))
            if state == "ended the run":
                statuses.extend(
                    RealizationStatus(j, "not run", f"the run ended at realization {k}",
                                      frozenset())
                    for j in range(k + 1, count + 1))
                break
        return statuses

    def _readable(self, statuses: list[RealizationStatus]) -> list[RealizationStatus]:
        """Reads every flow file and breakthrough curve once; one that cannot be read (cut
        short by a stopped run, say) is left out with a note, and its realization counts as
        incomplete."""
        checked = []
        for status in statuses:
            bad = []
            for method in METHODS:
                for prefix, read in ((FLOW_FILE[method], self.face_flows_of),
                                     (CURVE_FILE[method], self.curve_of)):
                    if prefix not in status.files:
                        continue
                    try:
                        read(method, status.number)
                    except (OSError, ValueError) as error:
                        bad.append(prefix)
                        self.notes.append(f"{files.file_name(prefix, status.number)} cannot be "
                                          f"read ({error}): left out")
            if bad:
                names = ", ".join(files.file_name(x, status.number) for x in bad)
                state = "incomplete" if status.state == "ran" else status.state
                reason = "; ".join(x for x in (status.reason, f"{names} cannot be read") if x)
                status = dataclasses.replace(status, state=state, reason=reason,
                                             files=status.files - set(bad))
            checked.append(status)
        return checked

    def _why_no_results(self, found: dict[int, set[str]]) -> str:
        p = self.parameters
        if p.numberruns <= 0:
            return f"{self.folder}: numberruns is {p.numberruns}: the study has no realization"
        if not (p.on("dfncp") or p.on("grdcp") or p.on("ntwrk")):
            return (f"{self.folder}: the switches dfncp, grdcp and ntwrk are all off, so a run "
                    "writes no result file: turn on dfncp (line 55) or grdcp (line 60)")
        if found:
            return (f"{self.folder}: only result files that the present switches do not write "
                    "(from an earlier run?): run fracflow here again")
        return f"{self.folder}: a study with no results yet: run fracflow in it first"

    def status(self, realization: int) -> RealizationStatus:
        return self._by_number[realization]

    def has(self, prefix: str, realization: int) -> bool:
        """Whether the run wrote this file for the realization (and the report may read it)."""
        status = self._by_number.get(realization)
        return status is not None and prefix in status.files

    def path(self, prefix: str, realization: int) -> Path:
        return self.folder / files.file_name(prefix, realization)

    def with_results(self, method: str) -> list[int]:
        """Realizations with the face flows of a method ("dfn" or "grid")."""
        return [r.number for r in self.realizations if FLOW_FILE[method] in r.files]

    # --- results as arrays ------------------------------------------------------------------

    def face_flows_of(self, method: str, realization: int) -> files.FlowFile:
        """The flow file of one method and realization (read once)."""
        key = (method, realization)
        if key not in self._flow_files:
            self._flow_files[key] = files.read_flow_file(self.path(FLOW_FILE[method], realization))
        return self._flow_files[key]

    def curve_of(self, method: str, realization: int) -> files.BreakthroughCurve:
        """The breakthrough curve of one method and realization (read once)."""
        key = (method, realization)
        if key not in self._curves:
            self._curves[key] = files.read_breakthrough_curve(
                self.path(CURVE_FILE[method], realization))
        return self._curves[key]

    def face_flows(self, method: str) -> FaceFlows:
        """The face flows of every realization with results of the method."""
        numbers = self.with_results(method)
        read = [self.face_flows_of(method, k) for k in numbers]
        values = np.array([f.flows for f in read]).reshape(-1, 5)
        return FaceFlows(np.array(numbers, dtype=int), values, [f.texts for f in read],
                         [f.counts for f in read])

    def breakthrough_curves(self, method: str) -> BreakthroughCurves:
        """The breakthrough curves of every realization that has one for the method."""
        prefix = CURVE_FILE[method]
        numbers, curves = [], []
        for status in self.realizations:
            if prefix not in status.files:
                continue
            curve = self.curve_of(method, status.number)
            if curves and curve.counts.shape != curves[0].counts.shape:
                note = (f"{files.file_name(prefix, status.number)} has {len(curve.times)} "
                        f"bins, not {len(curves[0].times)}: left out")
                if note not in self.notes:
                    self.notes.append(note)
                continue
            numbers.append(status.number)
            curves.append(curve)
        bins = len(curves[0].times) if curves else max(self.parameters.bcsize, 0)
        times = curves[0].times if curves else (np.arange(bins) + 0.5) * self.parameters.bcstep
        counts = np.array([c.counts for c in curves], dtype=np.int64).reshape(-1, bins, 5)
        cumulative = np.array([c.cumulative for c in curves], dtype=np.int64).reshape(-1, bins)
        return BreakthroughCurves(np.array(numbers, dtype=int), times, counts, cumulative)

    def backbone_count(self, realization: int) -> int | None:
        """Segments in the backbone: from Backbone. or FlowData., else from a saved console
        log; None when neither tells."""
        if self.has("Backbone.", realization):
            return self.path("Backbone.", realization).read_bytes().count(b"\n") // 3
        if self.has("FlowData.", realization):
            return self.path("FlowData.", realization).read_bytes().count(b"\n")
        section = self._sections.get(realization)
        if section:
            match = re.search(r"Number of segments in backbone = (\d+)", section)
            if match:
                return int(match.group(1))
        return None

    def heads(self, method: str, realization: int) -> np.ndarray:
        """x, y, head of the internal nodes (dfn) or internal cell centres (grid)."""
        return files.read_heads(self.path(HEAD_FILE[method], realization))

    def segments(self, realization: int) -> np.ndarray:
        """x1, y1, x2, y2 of the pieces the flow network was built from: the Segments. plot
        file when it was written, otherwise the first meet_fracs lines of the network data."""
        if self.has("Segments.", realization):
            return files.read_polylines(self.path("Segments.", realization))
        network = self.folder / f"Network_data.{realization:04d}.txt"
        return files.read_network_data(network, max(self.parameters.meet_fracs, 0))[:, :4]

    def backbone(self, realization: int) -> np.ndarray:
        """x1, y1, x2, y2 of the backbone segments (Backbone. or FlowData.)."""
        if self.has("Backbone.", realization):
            return files.read_polylines(self.path("Backbone.", realization))
        return files.read_flow_data(self.path("FlowData.", realization))[:, :4]

    def flow_data(self, realization: int) -> np.ndarray:
        return files.read_flow_data(self.path("FlowData.", realization))

    def last_locations(self, realization: int) -> np.ndarray:
        return files.read_last_locations(self.path("Particles_last_location.", realization))

    def boundary_head(self, x: np.ndarray, y: np.ndarray) -> np.ndarray:
        """The fixed head of points on the faces (the first face that holds a point decides,
        in the order top, right, bottom, left); NaN for points inside the domain."""
        p = self.parameters
        head = np.full(np.shape(x), np.nan)
        rules = (
            (y == p.domainW, p.tf1 + (p.tf2 - p.tf1) * (x / p.domainL)),
            (x == p.domainL, p.rf1 + (p.rf2 - p.rf1) * (y / p.domainW)),
            (y == 0, p.bf1 + (p.bf2 - p.bf1) * (x / p.domainL)),
            (x == 0, p.lf1 + (p.lf2 - p.lf1) * (y / p.domainW)),
        )
        for where, value in reversed(rules):
            head = np.where(where, value, head)
        return head


def load_run(folder: str | Path = ".") -> Run:
    """Loads the run in a study folder; raises NoRunError when it holds none."""
    return Run(folder)

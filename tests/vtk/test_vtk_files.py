"""The ParaView files of `fracflow --vtk`, read back with VTK's own XML readers and compared
with the tables the simulator writes as text: the console counts, dfnhead., Backbone.,
FlowData., grdhead., Grd_flow. and Particles_last_location. files.

Run with /usr/bin/python3 (Debian's python3-vtk9 and python3-pytest); FRACFLOW_EXE names the
fracflow executable and FRACFLOW_TEST_DATA the end-to-end cases (ctest sets both).
"""

import math
import os
import re
import shutil
import subprocess
import xml.etree.ElementTree as ElementTree
from pathlib import Path

import pytest
import vtk
from vtk.util.numpy_support import vtk_to_numpy

FRACFLOW = os.environ.get("FRACFLOW_EXE", "fracflow")
DATA = Path(os.environ.get("FRACFLOW_TEST_DATA", Path(__file__).parents[1] / "data"))
VTK_SUFFIXES = (".vtu", ".vti", ".pvd")

# Parameter file lines (1-based) that the cases change.
DFNCP, DFNTR, GRDCP = 55, 59, 60


class Run:
    def __init__(self, folder, completed):
        self.folder = folder
        self.status = completed.returncode
        self.stdout = completed.stdout
        self.stderr = completed.stderr
        lines = (folder / "Data_and_OutputOptions.txt").read_text().splitlines()
        self.values = [line.split()[0] if line.split() else "" for line in lines]

    def value(self, line):
        return float(self.values[line - 1])

    def text(self, name):
        return (self.folder / name).read_text()

    def console(self, number):
        """The console lines of one realization."""
        parts = re.split(r"RELIAZATION NUMBER = (\d+)\n", self.stdout)
        sections = dict(zip(parts[1::2], parts[2::2]))
        return sections[str(number)]

    def vtk_files(self):
        return sorted(p.name for p in self.folder.iterdir() if p.suffix in VTK_SUFFIXES)


def run_case(tmp_path, case, args=("--vtk",), lines=None, prepare=None):
    folder = tmp_path / case
    shutil.copytree(DATA / case / "input", folder)
    if lines:
        parameter_file = folder / "Data_and_OutputOptions.txt"
        text = parameter_file.read_text().splitlines(keepends=True)
        for number, value in lines.items():
            text[number - 1] = f"{value}   {' '.join(text[number - 1].split()[1:])}\n"
        parameter_file.write_text("".join(text))
    if prepare:
        prepare(folder)
    completed = subprocess.run([FRACFLOW, *args], cwd=folder, capture_output=True, text=True,
                               timeout=600)
    return Run(folder, completed)


def read(path):
    """The data set of a VTK XML file, failing on any message of the reader."""
    readers = {".vtu": vtk.vtkXMLUnstructuredGridReader, ".vti": vtk.vtkXMLImageDataReader}
    messages = vtk.vtkStringOutputWindow()
    vtk.vtkOutputWindow.SetInstance(messages)
    reader = readers[Path(path).suffix]()
    reader.SetFileName(str(path))
    reader.Update()
    assert messages.GetOutput() == "", messages.GetOutput()
    return reader.GetOutput()


def array(data, name):
    found = data.GetArray(name)
    assert found is not None, name
    return vtk_to_numpy(found)


def console_count(section, label):
    return int(re.search(re.escape(label) + r" *(-?\d+)", section).group(1))


def series(folder, name):
    """(timestep, file) of each data set a .pvd file lists; every file is readable."""
    root = ElementTree.parse(folder / name).getroot()
    assert root.get("type") == "Collection"
    entries = [(int(d.get("timestep")), d.get("file")) for d in root.iter("DataSet")]
    for _, file in entries:
        read(folder / file)
    return entries


def fixed(value, digits):
    return f"{value:.{digits}f}"


def check_network(run, number):
    section = run.console(number)
    data = read(run.folder / f"Network.{number:04d}.vtu")
    segments = console_count(section, "Total number of segments =") - console_count(
        section, "AbsentFracs =")
    assert data.GetNumberOfCells() == segments
    assert all(data.GetCellType(c) == vtk.VTK_LINE for c in range(segments))

    points = vtk_to_numpy(data.GetPoints().GetData())
    heads = array(data.GetPointData(), "head")
    ends = [[data.GetCell(c).GetPointId(k) for k in (0, 1)] for c in range(segments)]
    # Segments that meet share one point: no two points stand at the same place.
    assert len({(x, y) for x, y, _ in points}) == len(points)
    assert all(a != b for a, b in ends)

    # The internal nodes with their solved heads, as the head file lists them.
    length, width = run.value(1), run.value(2)
    inside = sorted(f"{fixed(x, 6)}     {fixed(y, 6)}       {fixed(h, 6)}"
                    for (x, y, _), h in zip(points, heads) if 0 < x < length and 0 < y < width)
    assert inside == sorted(run.text(f"dfnhead.{number:04d}.txt").splitlines())

    # The backbone flags pick exactly the segments of the Backbone file, in order, and their
    # flows and permeability values are those of the FlowData file.
    backbone = array(data.GetCellData(), "backbone")
    assert set(backbone.tolist()) <= {0, 1}
    chosen = [c for c in range(segments) if backbone[c] == 1]
    assert len(chosen) == console_count(section, "Number of segments in backbone =")
    polylines = "".join(
        "2\n" + "".join(f"   {fixed(points[p][0], 6)}, {fixed(points[p][1], 6)}\n" for p in ends[c])
        for c in chosen)
    assert polylines == run.text(f"Backbone.{number:04d}.bln")
    flow = array(data.GetCellData(), "flow")
    perm = array(data.GetCellData(), "perm")
    rows = [line.split() for line in run.text(f"FlowData.{number:04d}.txt").splitlines()]
    assert len(rows) == len(chosen)
    for c, row in zip(chosen, rows):
        assert float(f"{perm[c]:.4e}") == float(row[4])
        assert float(f"{flow[c]:.4e}") == float(row[5])
    # Every flow is 0.01 · |head drop| · perm / length, from the heads at the segment's ends.
    for c, (a, b) in enumerate(ends):
        (x1, y1, _), (x2, y2, _) = points[a], points[b]
        expected = 0.01 * abs(heads[a] - heads[b]) * perm[c] / math.hypot(x2 - x1, y2 - y1)
        assert flow[c] == pytest.approx(expected, rel=1e-9, abs=0) or (
            math.isnan(flow[c]) and math.isnan(expected))


def check_grid(run, number):
    data = read(run.folder / f"Grid.{number:04d}.vti")
    cellx, celly = int(run.value(3)), int(run.value(4))
    dx, dy = run.value(1) / cellx, run.value(2) / celly
    assert data.GetDimensions() == (cellx + 1, celly + 1, 1)
    assert data.GetSpacing()[:2] == (dx, dy)
    cells = data.GetCellData()
    head, kind = array(cells, "head"), array(cells, "kind")
    faceK, kSum, crfactor = (array(cells, name) for name in ("faceK", "kSum", "crfactor"))
    assert faceK.shape == kSum.shape == crfactor.shape == (cellx * celly, 4)

    flow_file = run.text(f"Grd_flow.{number:04d}.txt")
    assert (kind == 1).sum() == console_count(flow_file, "Boundary Cells =")
    assert (kind == 2).sum() == console_count(flow_file, "Internal Cells =")
    assert all(math.isnan(h) == (k == 0) for h, k in zip(head, kind))
    assert not kSum[kind == 0].any() and not faceK[kind == 0].any()

    def cell(i, j):
        return i + j * cellx

    # The solved internal cells in the order of the head file: column outer, row inner.
    lines = [f"{fixed((i + 0.5) * dx, 6)}     {fixed((j + 0.5) * dy, 6)}       "
             f"{fixed(head[cell(i, j)], 6)}"
             for i in range(cellx) for j in range(celly) if kind[cell(i, j)] == 2]
    assert lines == run.text(f"grdhead.{number:04d}.txt").splitlines()
    # Two active cells that share an edge see the same crossings on it (top, right, bottom,
    # left).
    for i in range(cellx):
        for j in range(celly - 1):
            if kind[cell(i, j)] and kind[cell(i, j + 1)]:
                assert kSum[cell(i, j)][0] == kSum[cell(i, j + 1)][2]
    for i in range(cellx - 1):
        for j in range(celly):
            if kind[cell(i, j)] and kind[cell(i + 1, j)]:
                assert kSum[cell(i, j)][1] == kSum[cell(i + 1, j)][3]


def check_particles(run, number):
    data = read(run.folder / f"Particles.{number:04d}.vtu")
    rows = [line.split() for line in
            run.text(f"Particles_last_location.{number:04d}.txt").splitlines()]
    assert data.GetNumberOfPoints() == data.GetNumberOfCells() == len(rows)
    assert all(data.GetCellType(c) == vtk.VTK_VERTEX for c in range(len(rows)))
    points = vtk_to_numpy(data.GetPoints().GetData())
    time = array(data.GetPointData(), "time")
    start = array(data.GetPointData(), "start")
    end = array(data.GetPointData(), "end")
    length, width = run.value(1), run.value(2)
    for p, row in enumerate(rows):
        assert data.GetCell(p).GetPointId(0) == p
        assert [fixed(v, 5) for v in (start[p][0], start[p][1], points[p][0], points[p][1],
                                      time[p])] == row
        on_edge = points[p][0] in (0, length) or points[p][1] in (0, width)
        assert (end[p] == 0) == on_edge or end[p] == 2


def test_every_table_of_a_full_run_reads_back(tmp_path):
    run = run_case(tmp_path, "rand_iso_sparse")
    assert run.status == 0, run.stderr
    for number in (1, 2):
        check_network(run, number)
        check_grid(run, number)
        check_particles(run, number)
    for name, prefix, suffix in (("Network.pvd", "Network", "vtu"), ("Grid.pvd", "Grid", "vti"),
                                 ("Particles.pvd", "Particles", "vtu")):
        assert series(run.folder, name) == [(n, f"{prefix}.{n:04d}.{suffix}") for n in (1, 2)]


@pytest.mark.parametrize("case", ["edge_tiny", "edge_clip", "edge_diag45", "rand_three_sets_rect"])
def test_edge_cases_read_back(tmp_path, case):
    run = run_case(tmp_path, case)
    assert run.status == 0, run.stderr
    numbers = [n for n, _ in series(run.folder, "Network.pvd")]
    assert numbers == list(range(1, int(run.value(12)) + 1))
    for number in numbers:
        check_network(run, number)
        check_grid(run, number)
        check_particles(run, number)


def test_the_other_files_are_the_same_with_and_without_vtk(tmp_path):
    plain = run_case(tmp_path / "plain", "rand_iso_sparse", args=())
    with_vtk = run_case(tmp_path / "vtk", "rand_iso_sparse")
    assert plain.vtk_files() == []
    assert with_vtk.vtk_files() == [
        "Grid.0001.vti", "Grid.0002.vti", "Grid.pvd", "Network.0001.vtu", "Network.0002.vtu",
        "Network.pvd", "Particles.0001.vtu", "Particles.0002.vtu", "Particles.pvd"]
    assert plain.stdout == with_vtk.stdout
    assert plain.status == with_vtk.status
    names = sorted(p.name for p in plain.folder.iterdir())
    assert names == sorted(p.name for p in with_vtk.folder.iterdir()
                           if p.suffix not in VTK_SUFFIXES)
    for name in names:
        assert (plain.folder / name).read_bytes() == (with_vtk.folder / name).read_bytes(), name


def test_series_list_only_the_realizations_written(tmp_path):
    # Realization 2 has no network data file: it is skipped, the run goes on.
    run = run_case(tmp_path, "runs3_missing_0002")
    assert run.status == 1
    assert series(run.folder, "Network.pvd") == [(1, "Network.0001.vtu"), (3, "Network.0003.vtu")]
    assert series(run.folder, "Grid.pvd") == [(1, "Grid.0001.vti"), (3, "Grid.0003.vti")]
    check_network(run, 3)

    # Realization 2 ends the run with a segment too short to keep: the series stop at 1.
    def tiny_first_fracture(folder):
        network = folder / "Network_data.0002.txt"
        network.write_text("50 50 50 50.00000000001 1\n" + network.read_text())

    ended = run_case(tmp_path / "ended", "rand_iso_sparse", prepare=tiny_first_fracture)
    assert ended.status == 1
    assert "too tiny" in ended.stdout
    assert ended.vtk_files() == ["Grid.0001.vti", "Grid.pvd", "Network.0001.vtu", "Network.pvd",
                                 "Particles.0001.vtu", "Particles.pvd"]
    assert series(ended.folder, "Network.pvd") == [(1, "Network.0001.vtu")]


def test_without_the_network_flow_heads_and_flows_are_unknown(tmp_path):
    run = run_case(tmp_path, "rand_iso_sparse", lines={DFNCP: 2})
    assert run.status == 0, run.stderr
    assert "Particles.pvd" not in run.vtk_files()
    data = read(run.folder / "Network.0001.vtu")
    section = run.console(1)
    assert data.GetNumberOfCells() == console_count(section, "Total number of segments =") - \
        console_count(section, "AbsentFracs =")
    assert all(math.isnan(h) for h in array(data.GetPointData(), "head"))
    assert all(math.isnan(f) for f in array(data.GetCellData(), "flow"))
    assert not array(data.GetCellData(), "backbone").any()
    check_grid(run, 1)


def test_switches_leave_out_their_files(tmp_path):
    run = run_case(tmp_path, "rand_iso_sparse", lines={GRDCP: 2, DFNTR: 2})
    assert run.status == 0, run.stderr
    assert run.vtk_files() == ["Network.0001.vtu", "Network.0002.vtu", "Network.pvd"]
    check_network(run, 2)


def test_a_file_that_cannot_be_written_is_named(tmp_path):
    run = run_case(tmp_path, "rand_iso_sparse",
                   prepare=lambda folder: (folder / "Grid.0002.vti").mkdir())
    assert run.status == 1
    assert "Grid.0002.vti" in run.stderr
    assert series(run.folder, "Grid.pvd") == [(1, "Grid.0001.vti")]

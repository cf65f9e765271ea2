"""The package's documented API: a run as numpy arrays, and the small computations the
report makes from them, against hand-worked values."""

from __future__ import annotations

import math

import numpy as np
import pytest

import fracflow_report as fr
from fracflow_report.parameters import parse_parameters, ParameterFileError
from fracflow_report.summary import arrival_times, budget


def test_a_run_loads_as_arrays(study):
    folder = study("rand_iso_sparse")
    run = fr.load_run(folder)
    p = run.parameters
    assert (p.domainL, p.cellx, p.numberruns, p.tol) == (100.0, 20, 2, 1e-9)
    assert p.cellSizeX == 5.0 and p.on("dfntr") and not p.on("sink")
    assert [(r.number, r.state) for r in run.realizations] == [(1, "ran"), (2, "ran")]

    flows = run.face_flows("dfn")
    assert flows.realizations.tolist() == [1, 2]
    assert flows.values[0].tolist() == [-0.033303251, 0.054160279, 0.059177976, -0.080035001,
                                        0.113338253]
    assert flows.counts[0] == {"Transp": 7, "Internal Nodes": 87, "Boundary Nodes": 20,
                               "Total Nodes": 107}

    curves = run.breakthrough_curves("grid")
    assert curves.counts.shape == (2, p.bcsize, 5)
    assert curves.times[:2].tolist() == [500.0, 1500.0]
    assert np.array_equal(curves.counts[:, :, :4].sum(axis=2), curves.counts[:, :, 4])
    assert np.array_equal(np.cumsum(curves.counts[:, :, 4], axis=1), curves.cumulative)

    heads = run.heads("grid", 1)
    assert heads.shape == (168, 3)  # the internal cells of Grd_flow.0001.txt
    assert heads[0].tolist() == [7.5, 32.5, 102.697564]
    assert run.heads("dfn", 2).shape[1] == 3
    assert run.backbone(1).shape[1] == 4 and run.segments(1).shape[1] == 4
    assert run.last_locations(1).shape == (p.totalparticles, 5)


def test_the_face_heads_of_the_parameter_file(study):
    run = fr.load_run(study("rand_iso_sparse"))
    x = np.array([0.0, 50.0, 100.0, 50.0, 30.0])
    y = np.array([50.0, 100.0, 25.0, 0.0, 30.0])
    # left 100..120, top 120..20, right 0..20, bottom 100..0; the last point is inside
    expected = [110.0, 70.0, 5.0, 50.0]
    heads = run.boundary_head(x, y)
    assert heads[:4].tolist() == pytest.approx(expected) and math.isnan(heads[4])


@pytest.mark.parametrize("flows, well, expected", [
    # in 3, out 2 + 1: closed
    ([-3.0, 2.0, 1.0, 0.0], 0.0, (3.0, 3.0, 0.0, 0.0)),
    # in 4, out 2: 100 * 2 / 3
    ([-4.0, 0.0, 2.0, 0.0], 0.0, (4.0, 2.0, 2.0, 200.0 / 3.0)),
    # a well taking 1 out closes a budget that the faces leave open
    ([-3.0, 2.0, 0.0, 0.0], 1.0, (3.0, 3.0, 0.0, 0.0)),
    # an injecting well (negative flux) counts as inflow
    ([0.0, 2.0, 0.0, 0.0], -2.0, (2.0, 2.0, 0.0, 0.0)),
])
def test_water_budget(flows, well, expected):
    b = budget(np.array(flows + [0.0]), well)
    assert (b["inflow"], b["outflow"], b["in_minus_out"],
            b["percent_discrepancy"]) == pytest.approx(expected)


def test_water_budget_without_flow_has_no_discrepancy():
    assert math.isnan(budget(np.zeros(5))["percent_discrepancy"])


def test_arrival_times_from_bin_centres():
    times = np.array([5.0, 15.0, 25.0, 35.0])
    got = arrival_times(times, np.array([0, 1, 2, 1]))
    assert got == {"first_arrival_time": 15.0, "median_arrival_time": 25.0,
                   "mean_arrival_time": 25.0}
    assert all(math.isnan(v) for v in arrival_times(times, np.zeros(4, int)).values())


def test_parameter_values_read_as_the_simulator_reads_them(study):
    text = (study("rand_iso_sparse") / "Data_and_OutputOptions.txt").read_text()
    lines = text.splitlines()
    lines[2] = "20.9   cellx"          # an int field written with a fraction reads 20
    lines[0] = "1.5e2"                  # a real field needs no label
    p = parse_parameters("\n".join(lines))
    assert (p.cellx, p.domainL) == (20, 150.0)
    with pytest.raises(ParameterFileError, match=r":9: totalparticles"):
        parse_parameters("\n".join(lines[:8] + ["lots   totalparticles"] + lines[9:]))
    with pytest.raises(ParameterFileError, match=r":60: missing line"):
        parse_parameters("\n".join(lines[:59]))


def test_segment_heads_match_the_printed_nodes():
    from fracflow_report.figures import grid_head_image, segment_heads

    # Two internal nodes as dfnhead prints them (6 decimals); a face of fixed head 10.
    nodes = np.array([[29.239026, 51.640689, 90.0], [30.398022, 53.739073, 80.0]])
    segments = np.array([
        [29.239025740878912, 51.64068861772602, 30.398022426696194, 53.73907305702558],
        [0.0, 40.0, 29.239025740878912, 51.64068861772602],  # face end: head 10
        [5.0, 5.0, 6.0, 6.0],                                 # no known end
    ])

    def face(x, y):
        return np.where(x == 0.0, 10.0, np.nan)

    heads = segment_heads(segments, nodes, face)
    assert heads[:2].tolist() == [85.0, 50.0] and math.isnan(heads[2])

    image = grid_head_image(np.array([[7.5, 32.5, 1.0], [2.5, 2.5, 2.0]]), (5.0, 5.0), (4, 8))
    assert image.shape == (8, 4)
    assert (image[6, 1], image[0, 0]) == (1.0, 2.0)
    assert np.isnan(image).sum() == 30

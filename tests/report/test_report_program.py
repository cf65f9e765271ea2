"""fracflow-report as a user meets it: the page of runs with every switch, with switches off,
with a skipped realization, with a run that ended early; the errors; progress on a terminal."""

from __future__ import annotations

import os
import pty
import re
import shutil
import subprocess
from pathlib import Path

import pytest

from conftest import run_fracflow, run_report, set_parameters, stage

OPTIONAL_OFF = dict(ntwrk=2, dfnfl=2, bbone=2, dfndt=2, dfntr=2, grdfl=2, grddt=2, grdtr=2)


def page_of(folder: Path) -> str:
    return (folder / "report" / "index.html").read_text()


def missing_notes(page: str) -> list[str]:
    return [re.sub(r"<[^>]+>", "", note) for note in
            re.findall(r'<p class="missing">(.*?)</p>', page)]


CASES = [
    # case, parameter changes, figures on the page, texts the page must hold, notes
    ("rand_iso_sparse", {}, 5, ["1–2", "ran"], []),
    ("edge_clip", {}, 5, ["1 of 1 realizations", "d. Realization 1"], []),
    ("runs3_missing_0002", {}, 5,
     ["skipped", "Network_data.0002.txt is missing", "1, 3"], []),
    ("rand_iso_sparse", OPTIONAL_OFF, 4, [],
     ["turn on dfntr (line 59)", "turn on grdtr (line 63)", "turn on grddt (line 62)",
      "turn on bbone (line 57) or dfndt (line 58)"]),
    ("rand_iso_sparse", dict(dfncp=2), 4, [],
     ["turn on dfncp (line 55)"]),
    ("rand_iso_sparse", dict(grdcp=2), 4, [],
     ["turn on grdcp (line 60)"]),
    ("rand_iso_sparse", dict(sink=1, sinkLocX=50.0, sinkLocY=50.0, sinkRad=20.0,
                             sinkFlux=0.01), 5,
     ["of which the well", "flux 0.01 taken out"], []),
]


@pytest.mark.parametrize("case, parameters, figures, texts, notes", CASES,
                         ids=["all-on", "one-realization", "skipped", "optional-off",
                              "dfn-off", "grid-off", "well"])
def test_the_page_of_a_run(case, parameters, figures, texts, notes, study, report_program):
    folder = study(case, **parameters)
    result = run_report(report_program, folder)
    assert result.returncode == 0, result.stderr
    assert result.stdout.strip() == str(folder / "report" / "index.html")
    assert result.stderr == ""  # not a terminal: no progress
    page = page_of(folder)
    assert len(re.findall(r'<img alt="[^"]+" src="data:image/png;base64,', page)) == figures
    assert not re.search(r'(src|href)="(?!data:)', page)
    assert "<script" not in page
    for section in ("a. ", "b. ", "c. ", "d. ", "e. ", "f. "):
        assert f"<h2>{section}" in page
    for text in texts:
        assert text in page
    found = " ".join(missing_notes(page))
    for note in notes:
        assert note in found
    if not notes:
        assert missing_notes(page) == []


def test_a_run_that_ended_early(tmp_path, fracflow, report_program):
    # A piece of length 1e-8 (at most 1e-9 domainL) in the second network file ends the run
    # in realization 2.
    folder = stage("rand_iso_sparse", tmp_path / "study")
    network = folder / "Network_data.0002.txt"
    network.write_text("50 50 50.00000001 50 1.0\n" + network.read_text())
    assert run_fracflow(fracflow, folder) == 1
    assert run_report(report_program, folder).returncode == 0
    page = page_of(folder)
    assert "ended the run" in page and "only the network plot files were written" in page
    assert "1 ran, 1 ended the run" in page

    # With the console log saved, the page names the cause.
    shutil.copy(folder / "console.log", folder / "console.txt")
    assert run_report(report_program, folder).returncode == 0
    assert "a fracture segment is too tiny (console log)" in page_of(folder)


def test_a_solver_failure_and_the_files_of_an_earlier_run(tmp_path, fracflow, report_program):
    folder = stage("rand_iso_sparse", tmp_path / "study")
    assert run_fracflow(fracflow, folder) == 0
    # Run again where the network solver cannot converge: realization 1 ends the run, and
    # the files of the first run that are still there must not be reported.
    set_parameters(folder, {"maxit": 1})
    assert run_fracflow(fracflow, folder) == 1
    assert (folder / "NoConDFN.0001.txt").exists() and (folder / "DFN_flow.0002.txt").exists()
    assert run_report(report_program, folder).returncode == 0
    page = page_of(folder)
    assert "did not converge for DFN flow solution" in page
    assert "the run ended at realization 1" in page
    summary = (folder / "report" / "summary.csv").read_text().splitlines()
    assert len(summary) == 1  # the header alone


def test_another_realization_in_detail(study, report_program):
    folder = study("rand_iso_sparse")
    assert run_report(report_program, "--realization", 2, folder).returncode == 0
    assert "<h2>d. Realization 2</h2>" in page_of(folder)


@pytest.mark.parametrize("make, arguments, message", [
    (lambda d: None, [], "no fracflow run here"),
    (lambda d: d.rmdir(), [], "no such folder"),
    (lambda d: stage("rand_iso_sparse", d), [], "no results yet: run fracflow"),
    (lambda d: (d / "DFN_flow.0001.txt").write_text("x"), [], "no Data_and_OutputOptions.txt"),
    (lambda d: (d / "Data_and_OutputOptions.txt").write_text("100.0\n"), [], ":2: missing line"),
    (lambda d: None, ["--realization", "two"], "invalid int value: 'two'"),
    (lambda d: None, ["--bogus"], "unrecognized arguments"),
], ids=["empty", "absent", "not-run", "no-parameters", "bad-parameters", "no-number",
        "unknown-option"])
def test_a_folder_that_holds_no_run(make, arguments, message, tmp_path, report_program):
    folder = tmp_path / "folder"
    folder.mkdir()
    make(folder)
    result = run_report(report_program, *arguments, folder)
    assert result.returncode == 2
    assert result.stdout == ""
    assert message in result.stderr
    assert not (folder / "report").exists()


def test_a_realization_outside_the_study(study, report_program):
    result = run_report(report_program, "--realization", 3, study("rand_iso_sparse"))
    assert result.returncode == 2 and "realizations 1 to 2" in result.stderr


def test_the_working_folder_is_the_default(study, report_program):
    folder = study("edge_clip")
    result = subprocess.run([str(report_program)], cwd=folder, capture_output=True, text=True,
                            timeout=600)
    assert result.returncode == 0 and result.stdout.strip().endswith("report/index.html")


def test_progress_on_a_terminal_only(study, report_program):
    folder = study("edge_clip")
    controller, terminal = pty.openpty()
    try:
        result = subprocess.run([str(report_program), str(folder)], stdout=subprocess.PIPE,
                                stderr=terminal, text=True, timeout=600)
        os.close(terminal)
        terminal = None
        shown = b""
        while True:
            try:
                chunk = os.read(controller, 65536)
            except OSError:  # the terminal's other end is closed
                break
            if not chunk:
                break
            shown += chunk
    finally:
        if terminal is not None:
            os.close(terminal)
        os.close(controller)
    assert result.returncode == 0
    assert b"fracflow-report: reading the run" in shown
    assert result.stdout.strip().endswith("index.html")  # stdout holds the path alone


def test_files_cut_short(tmp_path, fracflow, report_program):
    # A run stopped while writing: a flow file and a curve cut short, a head file with text.
    folder = stage("runs3_missing_0002", tmp_path / "study")
    run_fracflow(fracflow, folder)
    (folder / "Grd_flow.0003.txt").write_text("Flow Through Top Face    = 0.1\n")
    curve = folder / "DFN_bcrv.0003.txt"
    curve.write_text(curve.read_text()[:100])
    (folder / "dfnhead.0001.txt").write_text("1.0 2.0 oops\n")
    result = run_report(report_program, folder)
    assert result.returncode == 0, result.stderr
    page = page_of(folder)
    assert "Grd_flow.0003.txt cannot be read" in page and "DFN_bcrv.0003.txt cannot be read" in page
    assert "incomplete" in page
    assert "A file of realization 1 cannot be read" in page
    rows = (folder / "report" / "summary.csv").read_text().splitlines()[1:]
    assert [r.split(",")[:2] for r in rows] == [["1", "dfn"], ["1", "grid"], ["3", "dfn"]]
    assert rows[2].split(",")[11] == ""  # no arrivals from the unreadable curve

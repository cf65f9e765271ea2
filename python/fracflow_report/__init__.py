"""fracflow_report: load a finished fracflow run as numpy arrays, and write its report.

    import fracflow_report as fr
    run = fr.load_run("path/to/study")        # the folder fracflow ran in
    run.parameters.totalparticles              # values of Data_and_OutputOptions.txt
    run.realizations                           # RealizationStatus per realization
    run.face_flows("dfn").values               # (n, 5): top, right, bottom, left, global
    run.breakthrough_curves("grid").counts     # (n, bins, 5): per face and total
    run.heads("dfn", 1)                        # (m, 3): x, y, head
    fr.write_report(run)                       # report/summary.csv and report/index.html

The command-line program is ``fracflow-report``; docs/report.md describes both.
"""

from .files import FACES
from .parameters import Parameters, ParameterFileError, read_parameters
from .run import (METHODS, BreakthroughCurves, FaceFlows, NoRunError, RealizationStatus, Run,
                  load_run)
from .summary import COLUMNS, budget, summary_rows


def write_report(run, realization=None, progress=None):
    """Writes report/summary.csv and report/index.html into the run's folder; returns the
    path of index.html.  ``realization`` picks the one shown in detail (default: 1)."""
    from .page import write_report as _write

    return _write(run, realization=realization, progress=progress)


__all__ = [
    "FACES", "METHODS", "COLUMNS", "Parameters", "ParameterFileError", "read_parameters",
    "BreakthroughCurves", "FaceFlows", "NoRunError", "RealizationStatus", "Run", "load_run",
    "budget", "summary_rows", "write_report",
]

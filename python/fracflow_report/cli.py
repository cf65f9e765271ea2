"""fracflow-report [RUN_DIR]: the study report of a finished fracflow run.

Exit status: 0 the report was written; 1 a file of the run could not be read or the report
could not be written; 2 the folder holds no run, or the command line is wrong.
"""

from __future__ import annotations

import argparse
import sys
import time

from .parameters import ParameterFileError

EXIT_OK, EXIT_FAILED, EXIT_NO_RUN = 0, 1, 2

_DESCRIPTION = """\
Writes the study report of a finished fracflow run: RUN_DIR/report/summary.csv (one row per
realization and method) and RUN_DIR/report/index.html (one self-contained page comparing the
DFN and the grid method). Prints the path of the page.

exit status: 0 written; 1 a file of the run could not be read or the report could not be
written; 2 the folder holds no run, or the command line is wrong."""


class _Progress:
    """Progress on stderr, only when stderr is a terminal."""

    def __init__(self, stream=sys.stderr):
        self.stream = stream
        self.enabled = stream.isatty()
        self.start = time.monotonic()

    def __call__(self, message: str) -> None:
        if self.enabled:
            elapsed = time.monotonic() - self.start
            self.stream.write(f"\r\x1b[Kfracflow-report: {message} ({elapsed:.1f} s)")
            self.stream.flush()

    def done(self) -> None:
        if self.enabled:
            self.stream.write("\r\x1b[K")
            self.stream.flush()


def main(argv: list[str] | None = None) -> int:
    parser = argparse.ArgumentParser(prog="fracflow-report", description=_DESCRIPTION,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("run_dir", nargs="?", default=".", metavar="RUN_DIR",
                        help="the folder fracflow ran in (default: the working folder)")
    parser.add_argument("-r", "--realization", type=int, metavar="N",
                        help="the realization shown in detail in section d (default: 1)")
    try:
        arguments = parser.parse_args(argv)
    except SystemExit as stop:
        return EXIT_NO_RUN if stop.code else EXIT_OK

    # numpy loads after the arguments are checked and matplotlib once a run is found, so
    # --help and the errors are instant.
    from .run import NoRunError, load_run

    progress = _Progress()
    try:
        progress("reading the run")
        run = load_run(arguments.run_dir)
        count = run.parameters.numberruns
        if arguments.realization is not None and not 1 <= arguments.realization <= count:
            progress.done()
            print(f"fracflow-report: --realization {arguments.realization}: the study has "
                  f"realizations 1 to {count}", file=sys.stderr)
            return EXIT_NO_RUN
        from .page import write_report

        page = write_report(run, arguments.realization, progress)
    except (NoRunError, ParameterFileError) as error:
        progress.done()
        print(f"fracflow-report: {error}", file=sys.stderr)
        return EXIT_NO_RUN
    except (OSError, ValueError) as error:
        progress.done()
        print(f"fracflow-report: {error}", file=sys.stderr)
        return EXIT_FAILED
    progress.done()
    print(page)
    return EXIT_OK

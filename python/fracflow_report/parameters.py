"""The parameter file of a study, ``Data_and_OutputOptions.txt``.

Its 66 lines are identified by position: each value line starts with its value, anything after
it is a free label, and six separator lines carry no value.  The names are the simulator's own
(``domainL``, ``totalparticles``, ``dfntr``, ...).
"""

from __future__ import annotations

import dataclasses
import re
from pathlib import Path

PARAMETER_FILE_NAME = "Data_and_OutputOptions.txt"

# (name, kind) for the 66 lines in file order; kind is "int", "real" or None for a separator.
_SET_FIELDS = ("prob", "minFracL", "alpha", "kappa", "thetaMean", "perMean", "perDev")
LINES: tuple[tuple[str | None, str | None], ...] = (
    (("domainL", "real"), ("domainW", "real"))
    + tuple((name, "int") for name in (
        "cellx", "celly", "scellx", "ecellx", "scelly", "ecelly", "totalparticles",
        "bcsize", "bcstep", "numberruns", "meet_fracs"))
    + (("fracDen", "real"),)
    + tuple(line for s in (1, 2, 3)
            for line in ((None, None),) + tuple((f"{f}{s}", "real") for f in _SET_FIELDS))
    + ((None, None),)
    + tuple((name, "real") for name in ("tf1", "tf2", "rf1", "rf2", "bf1", "bf2", "lf1", "lf2"))
    + ((None, None), ("sink", "int"))
    + tuple((name, "real") for name in ("sinkLocX", "sinkLocY", "sinkRad", "sinkFlux"))
    + tuple((name, "int") for name in (
        "ntwrk", "dfncp", "dfnfl", "bbone", "dfndt", "dfntr", "grdcp", "grdfl", "grddt", "grdtr"))
    + ((None, None), ("maxit", "int"), ("tol", "real"))
)
assert len(LINES) == 66

SWITCHES = ("sink", "ntwrk", "dfncp", "dfnfl", "bbone", "dfndt", "dfntr",
            "grdcp", "grdfl", "grddt", "grdtr")

# Line number (from 1) of every named value, for messages such as "turn on dfntr (line 59)".
LINE_OF = {name: number for number, (name, _) in enumerate(LINES, start=1) if name}

_INT_PREFIX = re.compile(r"[+-]?\d+")
_REAL_PREFIX = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?|[+-]?(inf|nan)", re.IGNORECASE)


class ParameterFileError(ValueError):
    """A parameter file that cannot be read; the message names the file and line."""


@dataclasses.dataclass(frozen=True)
class Parameters:
    """Every value of the parameter file by its name, plus the derived cell sizes.

    ``values`` maps each name of ``LINES`` to an int or a float; the names are also
    attributes: ``p.domainL``, ``p.dfntr``.  ``on(name)`` tells whether a switch is 1.
    """

    values: dict[str, int | float]

    def __getattr__(self, name: str) -> int | float:
        try:
            return self.values[name]
        except KeyError:
            raise AttributeError(name) from None

    @property
    def cellSizeX(self) -> float:  # noqa: N802 (the simulator's name)
        return self.values["domainL"] / self.values["cellx"]

    @property
    def cellSizeY(self) -> float:  # noqa: N802
        return self.values["domainW"] / self.values["celly"]

    def on(self, switch: str) -> bool:
        return self.values[switch] == 1


def parse_parameters(text: str, file_name: str = PARAMETER_FILE_NAME) -> Parameters:
    """Reads the 66 lines of a parameter file given as text."""
    lines = text.splitlines()
    values: dict[str, int | float] = {}
    for number, (name, kind) in enumerate(LINES, start=1):
        if number > len(lines):
            raise ParameterFileError(f"{file_name}:{number}: missing line ({name or 'separator'})")
        if name is None:
            continue
        token = lines[number - 1].strip()
        match = (_INT_PREFIX if kind == "int" else _REAL_PREFIX).match(token)
        if not match:
            raise ParameterFileError(f"{file_name}:{number}: {name}: expected a number")
        values[name] = int(match.group(0)) if kind == "int" else float(match.group(0))
    return Parameters(values)


def read_parameters(path: str | Path) -> Parameters:
    """Reads a parameter file; ``path`` is the file or the study folder that holds it."""
    path = Path(path)
    if path.is_dir():
        path = path / PARAMETER_FILE_NAME
    return parse_parameters(path.read_text(encoding="utf-8", errors="replace"), str(path))

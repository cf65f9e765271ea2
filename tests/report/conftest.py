"""Fixtures of the report tests: the built programs, and studies of tests/data run by the built
fracflow in temporary folders (optionally with some parameter lines changed)."""

from __future__ import annotations

import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
DATA = ROOT / "tests" / "data"
sys.path.insert(0, str(ROOT / "python"))

from fracflow_report.parameters import LINE_OF  # noqa: E402


def pytest_configure(config):
    config.addinivalue_line("markers", "browser: opens the report in headless chromium")


def _program(variable: str, name: str) -> Path:
    path = os.environ.get(variable)
    candidate = Path(path) if path else ROOT / "build" / "ci" / name
    if not candidate.exists():
        pytest.fail(f"{candidate} is missing: build first, or set {variable}")
    return candidate


@pytest.fixture(scope="session")
def fracflow() -> Path:
    return _program("FRACFLOW_EXE", "fracflow")


@pytest.fixture(scope="session")
def fracgen() -> Path:
    return _program("FRACGEN_EXE", "fracgen")


@pytest.fixture(scope="session")
def report_program() -> Path:
    return _program("FRACFLOW_REPORT", "fracflow-report")


def set_parameters(folder: Path, values: dict[str, object]) -> None:
    """Replaces the value at the start of the named lines of the parameter file."""
    path = folder / "Data_and_OutputOptions.txt"
    lines = path.read_text().splitlines(keepends=True)
    for name, value in values.items():
        number = LINE_OF[name] - 1
        label = lines[number].split(None, 1)[1] if len(lines[number].split(None, 1)) > 1 else "\n"
        lines[number] = f"{value}   {label}"
    path.write_text("".join(lines))


def stage(case: str, folder: Path, parameters: dict[str, object] | None = None) -> Path:
    """Copies the inputs of an end-to-end case into folder."""
    folder.mkdir(parents=True, exist_ok=True)
    for item in (DATA / case / "input").iterdir():
        shutil.copy(item, folder / item.name)
    if parameters:
        set_parameters(folder, parameters)
    return folder


def run_fracflow(fracflow: Path, folder: Path) -> int:
    """Runs fracflow in folder, keeping its console log as console.txt when asked."""
    with open(folder / "console.log", "wb") as console:
        status = subprocess.run([str(fracflow)], cwd=folder, stdout=console,
                                stderr=subprocess.DEVNULL, timeout=600).returncode
    return status


@pytest.fixture(scope="session")
def study(tmp_path_factory, fracflow):
    """study(case, **parameters): the folder of a finished run of a case (cached)."""
    made: dict[tuple, Path] = {}

    def make(case: str, **parameters) -> Path:
        key = (case, tuple(sorted(parameters.items())))
        if key not in made:
            folder = stage(case, tmp_path_factory.mktemp(case), parameters)
            run_fracflow(fracflow, folder)
            made[key] = folder
        return made[key]

    return make


def run_report(program: Path, *arguments: str, stderr=subprocess.PIPE):
    return subprocess.run([str(program), *map(str, arguments)], stdout=subprocess.PIPE,
                          stderr=stderr, text=True, timeout=600)

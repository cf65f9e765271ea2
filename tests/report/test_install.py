"""cmake --install puts fracflow, fracgen and fracflow-report with its package under a prefix,
and the installed program finds its package wherever the prefix is."""

from __future__ import annotations

import os
import shutil
import subprocess
from pathlib import Path

import pytest

from conftest import ROOT


@pytest.fixture(scope="module")
def build_dir() -> Path:
    folder = Path(os.environ.get("FRACFLOW_BUILD_DIR", ROOT / "build" / "ci"))
    if not (folder / "CMakeCache.txt").exists():
        pytest.fail(f"{folder} is not a configured build folder: set FRACFLOW_BUILD_DIR")
    return folder


def test_installed_programs_run_from_anywhere(build_dir, study, tmp_path):
    prefix = tmp_path / "first"
    subprocess.run(["cmake", "--install", str(build_dir), "--prefix", str(prefix)], check=True,
                   capture_output=True, timeout=300)
    for program in ("fracflow", "fracgen", "fracflow-report"):
        assert os.access(prefix / "bin" / program, os.X_OK), program
    # The prefix can move: the program finds the package relative to itself.
    moved = tmp_path / "moved"
    shutil.move(prefix, moved)
    folder = study("edge_clip")
    result = subprocess.run([str(moved / "bin" / "fracflow-report"), str(folder)], cwd=tmp_path,
                            capture_output=True, text=True, timeout=600,
                            env={"PATH": "/usr/bin:/bin", "HOME": str(tmp_path)})
    assert result.returncode == 0, result.stderr
    assert (folder / "report" / "index.html").exists()
    # Users' scripts import the installed package.
    packages = next(moved.glob("lib/fracflow/python"))
    script = ("import fracflow_report as fr, sys; "
              "print(fr.load_run(sys.argv[1]).face_flows('grid').values.shape)")
    result = subprocess.run(["/usr/bin/python3", "-c", script, str(folder)], capture_output=True,
                            text=True, timeout=120, env={"PYTHONPATH": str(packages),
                                                         "PYTHONDONTWRITEBYTECODE": "1"})
    assert result.returncode == 0, result.stderr
    assert result.stdout.strip() == "(1, 5)"

"""The page as a reader sees it: opened from disk in headless Debian chromium with networking
off, every figure present and loaded, no console error, no request leaving the machine."""

from __future__ import annotations

import os
import re
import shutil
from pathlib import Path

import numpy as np
import pytest
from matplotlib.image import imread

from conftest import run_report
from devtools import CHROMIUM, open_page

pytestmark = [
    pytest.mark.browser,
    pytest.mark.skipif(not os.path.exists(CHROMIUM) and not os.environ.get("CI"),
                       reason="chromium is not installed (scripts/install-deps installs it)"),
]


@pytest.mark.parametrize("parameters", [{}, dict(dfntr=2, grddt=2, grdtr=2, ntwrk=2)],
                         ids=["all-on", "switches-off"])
def test_the_page_in_chromium(parameters, study, report_program, tmp_path):
    folder = study("runs3_missing_0002", **parameters)
    assert run_report(report_program, folder).returncode == 0
    path = folder / "report" / "index.html"
    screenshot = tmp_path / "page.png"
    page = open_page(str(path), str(screenshot))

    written = len(re.findall(r"<img ", path.read_text()))
    assert written >= 3
    assert len(page["images"]) == written
    for image in page["images"]:
        assert image["complete"] and image["width"] > 100 and image["height"] > 100, image
        assert image["scheme"] == "data"
    for svg in page["svgs"]:
        assert svg["width"] > 0 and svg["height"] > 0
    assert page["external"] == []
    assert page["errors"] == []
    assert page["requests"][0] == path.as_uri()
    assert all(url.startswith("data:") for url in page["requests"][1:]), page["requests"]
    assert page["sections"][0].startswith("a. ") and page["sections"][-1].startswith("f. ")

    pixels = imread(screenshot)
    assert pixels.shape[1] == 1200 and pixels.shape[0] >= 2000
    coloured = np.any(pixels[:, :, :3] < 0.9, axis=2).mean()
    assert coloured > 0.05  # figures and text, not an empty page
    keep = os.environ.get("FRACFLOW_SCREENSHOTS")
    if keep:
        Path(keep).mkdir(parents=True, exist_ok=True)
        shutil.copy(screenshot, Path(keep) / f"report-{'all-on' if not parameters else 'off'}.png")

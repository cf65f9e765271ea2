"""The include check: the repository keeps the dependencies its architecture document allows,
and the check itself finds a forbidden include in a small tree, naming the file and line."""

import pathlib
import subprocess

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
CHECK = ROOT / "scripts" / "check-includes"

TABLE = """# Architecture

## Allowed dependencies

| module | may include |
|---|---|
| `io` | - |
| `solvers` | `io` |
| `dfn` | `io`, `solvers` |
| `app` | any |

## Something else

| `solvers` | `dfn` |
"""

# A small tree that keeps the table: each module includes what it may, and system headers.
CLEAN = {
    "io/text.hpp": "#pragma once\n#include <string>\n",
    "solvers/minres.hpp": '#pragma once\n#include "io/text.hpp"\n#include "solvers/minres.hpp"\n',
    "dfn/flow.cpp": '#include "dfn/flow.hpp"\n#include "solvers/minres.hpp"\n',
    "dfn/flow.hpp": "#pragma once\n",
    "app/run.cpp": '#include "dfn/flow.hpp"\n#include "io/text.hpp"\n',
}


def run(folder, changes, table=TABLE):
    """Writes the clean tree with changes and the table into folder and runs the check."""
    src = folder / "src"
    for name, text in {**CLEAN, **changes}.items():
        path = src / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
    document = folder / "architecture.md"
    document.write_text(table)
    result = subprocess.run([CHECK, src, document], capture_output=True, text=True, check=False)
    return result.returncode, result.stdout.replace(str(src) + "/", ""), result.stderr


CASES = [
    ("clean tree", {}, 0, ""),
    ("solvers include a phase",
     {"solvers/bicg.cpp": '// BiCG\n#include <vector>\n#include "dfn/flow.hpp"\n'}, 1,
     'solvers/bicg.cpp:3: solvers may not include "dfn/flow.hpp" (solvers may include: io)\n'),
    ("a helper includes nothing", {"io/text.cpp": '#include "io/text.hpp"\n  # include "app/run.hpp"\n'},
     1, 'io/text.cpp:2: io may not include "app/run.hpp" (io may include: nothing)\n'),
    ("include without its module", {"dfn/flow.cpp": '#include "flow.hpp"\n'}, 1,
     'dfn/flow.cpp:1: "flow.hpp" is not included by its module path\n'),
    ("unknown module", {"dfn/flow.cpp": '#include "grid/cell.hpp"\n'}, 1,
     'dfn/flow.cpp:1: "grid/cell.hpp": no module \'grid\' in '),
]


@pytest.mark.parametrize("name,changes,status,output", CASES, ids=[c[0] for c in CASES])
def test_check_on_a_small_tree(tmp_path, name, changes, status, output):
    code, out, err = run(tmp_path, changes)
    assert code == status, out + err
    assert out.startswith(output) if output else out == ""


def test_a_module_missing_from_the_table_fails(tmp_path):
    code, out, _ = run(tmp_path, {"grid/cell.hpp": "#pragma once\n"})
    assert code == 1
    assert "module 'grid' is not in the table" in out


def test_a_document_without_the_table_cannot_be_checked(tmp_path):
    code, _, err = run(tmp_path, {}, table="# Architecture\n")
    assert code == 2
    assert "no table under '## Allowed dependencies'" in err


def test_the_repository_keeps_its_architecture():
    result = subprocess.run([CHECK, ROOT / "src", ROOT / "docs" / "architecture.md"],
                            capture_output=True, text=True, check=False)
    assert result.returncode == 0, result.stdout + result.stderr

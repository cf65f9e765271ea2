"""python3 -m fracflow_report [RUN_DIR]: the same as fracflow-report."""

import sys

from .cli import main

sys.exit(main())

#!/usr/bin/env bash
# Runs fracflow on each end-to-end case of tests/data in a scratch folder and compares what
# the network flow phase produces: the console log up to each realization's backbone count,
# the a., b., Backbone., dfnhead. and FlowData. files, and the first six lines of DFN_flow.
# Usage: bench/compare_dfn_golden.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/debug}
status=0

# The console log without the lines after a backbone count up to the next realization header.
upToBackbone() {
  awk '/^Number of segments in backbone = /{print; skip=1; next}
       /^\/\/\/\/\//{skip=0} !skip' "$1"
}

for case_dir in "$root"/tests/data/*/; do
  name=$(basename "$case_dir")
  work=$(mktemp -d)
  cp "$case_dir"/input/* "$work"/
  (cd "$work" && "$build/fracflow" > stdout.txt 2> stderr.txt) || true
  problems=()
  cmp -s <(upToBackbone "$case_dir/expected/stdout.txt") <(upToBackbone "$work/stdout.txt") ||
    problems+=("stdout")
  for f in "$case_dir"/expected/{a,b,Backbone,dfnhead,FlowData}.*; do
    [ -e "$f" ] || continue
    cmp -s "$f" "$work/$(basename "$f")" || problems+=("$(basename "$f")")
  done
  for f in "$case_dir"/expected/DFN_flow.*; do
    [ -e "$f" ] || continue
    cmp -s <(head -n 6 "$f") <(head -n 6 "$work/$(basename "$f")" 2>/dev/null) ||
      problems+=("$(basename "$f")")
  done
  if [ ${#problems[@]} -eq 0 ]; then
    echo "$name: same"
  else
    echo "$name: differs in ${problems[*]}"
    status=1
  fi
  rm -rf "$work"
done
exit $status

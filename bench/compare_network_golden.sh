#!/usr/bin/env bash
# Runs fracflow on each golden study and compares what the network phases produce: the
# console up to each realization's "Total Nodes = " line, and the Fractures and Segments
# plot files. Usage: compare_network_golden.sh EXE GOLDEN_DIR
set -u
exe=$(realpath "$1")
golden=$2
status=0
for study in "$golden"/*/; do
  name=$(basename "$study")
  work=$(mktemp -d)
  cp "$study"/input/* "$work"/
  (cd "$work" && "$exe" >stdout.txt 2>stderr.txt; echo $? >exit_status.txt)
  # Keep the lines of the network phases only: header lines and everything up to Total Nodes.
  filter() { awk '/^Total Nodes = /{print; skip=1; next} /^STARTING|^\/\/\/\/|^$|^\*/{skip=0} !skip{print}' "$1"; }
  if ! diff <(filter "$study/expected/stdout.txt") <(filter "$work/stdout.txt") >"$work/diff.txt"; then
    echo "$name: stdout differs"; head -20 "$work/diff.txt"; status=1
  fi
  for f in "$study"/expected/Fractures.*.bln "$study"/expected/Segments.*.bln; do
    [ -e "$f" ] || continue
    if ! cmp -s "$f" "$work/$(basename "$f")"; then
      echo "$name: $(basename "$f") differs"; status=1
    fi
  done
  for f in "$work"/Fractures.*.bln "$work"/Segments.*.bln; do
    [ -e "$f" ] || continue
    [ -e "$study/expected/$(basename "$f")" ] || { echo "$name: unexpected $(basename "$f")"; status=1; }
  done
  [ -s "$work/stderr.txt" ] && { echo "$name: stderr:"; cat "$work/stderr.txt"; }
  echo "$name: done (exit $(cat "$work/exit_status.txt"))"
  rm -rf "$work"
done
exit $status

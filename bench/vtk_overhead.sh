#!/usr/bin/env bash
# What fracflow --vtk adds to a realization: the 500^2 row of bench/end_to_end.sh (about 1e5
# pieces, every phase on except the dense dumps) is run with and without --vtk, alternately,
# REPEATS times each; the realization totals of --timings (which include the ParaView files),
# the process wall and CPU (user + system) times and the sizes of the ParaView files are
# printed. On a loaded machine the CPU times are the steadier measure.
# Usage: bench/vtk_overhead.sh [BUILD_DIR [WORK_DIR [REPEATS]]]
#   BUILD_DIR  holds fracgen and fracflow (default build/release)
#   WORK_DIR   scratch folder (default build/end-to-end); its grid500 row is made when missing
#   REPEATS    runs of each kind (default 2)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
mkdir -p "${2:-$root/build/end-to-end}"
work=$(cd "${2:-$root/build/end-to-end}" && pwd)
repeats=${3:-2}
dir=$work/grid500
[ -f "$dir/Network_data.0001.txt" ] || "$root/bench/end_to_end.sh" "$build" "$work" 500 >&2
cd "$dir"

# Realization total, wall and CPU seconds of one run: fracflow --timings [ARGS].
measure() {
  /usr/bin/time -f 'wall %e cpu %U %S' "$build/fracflow" --timings "$@" > console.txt \
    2> timings.txt
  printf '%s %s\n' "$(sed -n 's/^  realization total  *//p' timings.txt)" \
    "$(sed -n 's/^wall \([0-9.]*\) cpu \([0-9.]*\) \([0-9.]*\)/\1 \2 \3/p' timings.txt |
       awk '{ printf "%s %.2f", $1, $2 + $3 }')"
}
percent() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%+.1f %%", 100 * (b - a) / a }'; }

echo "| run | realization s | wall s | CPU s | with --vtk: realization s | wall s | CPU s |" \
  "added (realization) | added (CPU) |"
echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
for k in $(seq 1 "$repeats"); do
  rm -f ./*.vtu ./*.vti ./*.pvd
  read -r plain plainWall plainCpu < <(measure)
  read -r vtk vtkWall vtkCpu < <(measure --vtk)
  echo "| $k | $plain | $plainWall | $plainCpu | $vtk | $vtkWall | $vtkCpu |" \
    "$(percent "$plain" "$vtk") | $(percent "$plainCpu" "$vtkCpu") |"
done
echo
echo "ParaView files of the realization:"
ls -l --block-size=K Network.0001.vtu Grid.0001.vti Particles.0001.vtu ./*.pvd |
  awk '{ print "  " $5 "  " $9 }'

#!/usr/bin/env bash
# End-to-end benchmark: fracgen draws one network per size (about 1e3 to 1e5 pieces, grids 50^2
# to 500^2), fracflow --timings runs one realization of each with every phase on except the
# dense system dumps, and a Markdown table of counts, solver iterations, phase times, the
# whole run and the peak memory is printed (and kept in WORK_DIR/end_to_end.md).
# Usage: [SOLVERS="iterative direct"] bench/end_to_end.sh [BUILD_DIR [WORK_DIR [ROW ...]]]
#   BUILD_DIR  holds fracgen and fracflow (default build/release)
#   WORK_DIR   scratch folder, one subfolder per row (default build/end-to-end)
#   ROW        cells per side of the rows to run (default: 50 100 160 280 500)
#   SOLVERS    the --solver values to run each network with, in turn (default: iterative);
#              a direct run adds a table of where its two solves spend their time
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
work=${2:-$root/build/end-to-end}
shift $(( $# > 2 ? 2 : $# ))
rows=("$@")
[ ${#rows[@]} -gt 0 ] || rows=(50 100 160 280 500)
read -r -a solvers <<< "${SOLVERS:-iterative}"

# The rock is the same in every row: two sets of fractures (8 or longer, power-law exponent
# 1.6) striking 30 and 120 degrees, drawn to a density of 0.36 per unit length. The domain
# grows with the grid (cells of 2 x 2), so the piece count grows with the area: about 1e3 at
# 50^2 and 1e5 at 500^2. Heads fall from left to right; particles enter on the whole left face.
fracDen=0.36
minFracL=8.0
particles=1000
maxit=1000000
tol=1e-09

parameterFile() {  # cells meet_fracs
  local cells=$1 meet=$2
  local L=$(( 2 * cells ))
  local bcstep=$(( 10 * L * L / 100 ))  # travel times grow with the square of the length
  cat <<EOF
$L.0   domainL
$L.0   domainW
$cells   cellx
$cells   celly
1   scellx
2   ecellx
1   scelly
$(( cells + 1 ))   ecelly
$particles   totalparticles
100   bcsize
$bcstep   bcstep
1   numberruns
$meet   meet_fracs
$fracDen   fracDen
---- set 1 ----
0.6   prob1
$minFracL   minFracL1
1.6   alpha1
5.0   kappa1
30.0   thetaMean1
0.0   perMean1
0.3   perDev1
---- set 2 ----
0.4   prob2
$minFracL   minFracL2
1.6   alpha2
5.0   kappa2
120.0   thetaMean2
-0.3   perMean2
0.3   perDev2
---- set 3 (unused) ----
0.0   prob3
$minFracL   minFracL3
1.6   alpha3
0.0   kappa3
0.0   thetaMean3
0.0   perMean3
0.3   perDev3
---- heads: top, right, bottom, left ----
100.0   tf1
0.0   tf2
0.0   rf1
0.0   rf2
100.0   bf1
0.0   bf2
100.0   lf1
100.0   lf2
---- well and switches ----
2   sink
$(( L / 2 )).0   sinkLocX
$(( L / 2 )).0   sinkLocY
1.0   sinkRad
0.0   sinkFlux
1   ntwrk
1   dfncp
2   dfnfl (dense dump: n^2 entries)
1   bbone
1   dfndt
1   dfntr
1   grdcp
2   grdfl (dense dump: n^2 entries)
1   grddt
1   grdtr
---- solver ----
$maxit   maxit
$tol   tol
EOF
}

# The value after "label" in file (first match).
valueAfter() { sed -n "s/^$2 *//p" "$1" | head -n 1; }
# A phase time from the timing report ("-" when the phase did not run).
phase() { sed -n "s/^  $2  *//p" "$1" | head -n 1; }

mkdir -p "$work"
phases=("network input" "segments, tiny pass" "nodes" "well" "DFN assembly" "MINRES"
        "backbone, files" "DFN transport" "grid mapping" "grid assembly" "BiCG" "grid files"
        "grid transport")
sizes="| grid | solver | pieces | nodes | active cells | MINRES steps | BiCG iterations | fracgen s | realization s | run s | run CPU s | flow solves | peak MiB |
|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
times="| grid | solver | $(printf '%s | ' "${phases[@]}")total |
|---:|---|$(printf -- '---:|%.0s' "${phases[@]}")---:|"
direct="| grid | system | unknowns | factorization | ordering | factor entries | peak MiB | ordering s | factorization s | solve s | relative residual |
|---:|---|---:|---|---|---:|---:|---:|---:|---:|---:|"

for cells in "${rows[@]}"; do
  dir=$work/grid$cells
  rm -rf "$dir"
  mkdir -p "$dir"
  cd "$dir"
  parameterFile "$cells" 1 > Data_and_OutputOptions.txt
  start=$(date +%s%N)
  "$build/fracgen" > fracgen.txt
  end=$(date +%s%N)
  fracgenSeconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", (b - a) / 1e9 }')
  pieces=$(sed -n 's/.*: [0-9]* fractures, \([0-9]*\) pieces.*/\1/p' fracgen.txt | head -n 1)
  parameterFile "$cells" "$pieces" > Data_and_OutputOptions.txt

  for solver in "${solvers[@]}"; do
    console=console-$solver.txt
    timings=timings-$solver.txt
    status=0
    /usr/bin/time -v "$build/fracflow" --timings --solver "$solver" > "$console" 2> "$timings" ||
      status=$?
    [ "$status" -eq 0 ] || echo "grid $cells: fracflow exit status $status (see $dir)" >&2

    nodes=$(valueAfter "$console" "Total Nodes =")
    active=$(sed -n 's/.*Total Cells = *\([0-9]*\).*/\1/p' "$console" | head -n 1)
    minres=$(sed -n 's/^MINRES \(converged after\|completed\) \([0-9]*\) steps.*/\2/p' "$console")
    bicg=$(sed -n 's/^BiCg \(converged after\|completed\) \([0-9]*\) iterations.*/\2/p' "$console")
    total=$(phase "$timings" "realization total")
    runSeconds=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$timings" |
                 awk -F: '{ s = 0; for (i = 1; i <= NF; ++i) s = s * 60 + $i; printf "%.2f", s }')
    cpuSeconds=$(sed -n 's/.*\(User\|System\) time (seconds): //p' "$timings" |
                 awk '{ s += $1 } END { printf "%.2f", s }')
    peakKiB=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$timings")
    share=$(awk -v m="$(phase "$timings" MINRES)" -v b="$(phase "$timings" BiCG)" -v t="$total" \
            'BEGIN { printf "%.0f %%", 100 * ((m == "-" ? 0 : m) + (b == "-" ? 0 : b)) / t }')
    peakMiB=$(awk -v k="$peakKiB" 'BEGIN { printf "%.1f", k / 1024 }')

    sizes+="
| $cells² | $solver | $pieces | $nodes | $active | ${minres:--} | ${bicg:--} | $fracgenSeconds | $total | $runSeconds | $cpuSeconds | $share | $peakMiB |"
    row="| $cells² | $solver |"
    for p in "${phases[@]}"; do row+=" $(phase "$timings" "$p") |"; done
    times+="
$row $total |"
    # The direct solves: the console line gives the unknowns and the residual, the note on
    # stderr the factorization, its ordering, size, peak memory and times.
    if [ "$solver" = direct ]; then
      for system in DFN grid; do
        note=$(grep "^fracflow: $system flow: .* factorization (" "$timings" | head -n 1)
        [ -n "$note" ] || continue
        method=$(sed -n 's/^fracflow: [A-Za-z]* flow: \([A-Za-z]*\) factorization.*/\1/p' <<< "$note")
        ordering=$(sed -n 's/.*, \(.*\) ordering) of .*/\1/p' <<< "$note")
        entries=$(sed -n 's/.*: \([0-9.e+]*\) factor entries.*/\1/p' <<< "$note")
        factorPeak=$(sed -n 's/.*entries, \([0-9.]*\) MiB at peak.*/\1/p' <<< "$note")
        ord=$(sed -n 's/.*; ordering \([0-9.]*\) s.*/\1/p' <<< "$note")
        fac=$(sed -n 's/.*, factorization \([0-9.]*\) s.*/\1/p' <<< "$note")
        sol=$(sed -n 's/.*, solve \([0-9.]*\) s.*/\1/p' <<< "$note")
        index=$([ "$system" = DFN ] && echo 1 || echo 2)
        line=$(grep '^Direct solve ' "$console" | sed -n "${index}p")
        unknowns=$(sed -n 's/.* of \([0-9]*\) unknowns.*/\1/p' <<< "$line")
        residual=$(sed -n 's/.*relative residual = //p' <<< "$line")
        direct+="
| $cells² | $system | $unknowns | $method | $ordering | $entries | $factorPeak | $ord | $fac | $sol | $residual |"
      done
    fi
    echo "grid $cells², $solver: $pieces pieces, realization $total s, peak $peakMiB MiB" >&2
  done
done

{
  printf '%s\n\nPhase times (wall seconds; - : the phase did not run; with --solver direct the\n' "$sizes"
  printf 'MINRES and BiCG phases are the direct solves of the two systems):\n\n%s\n' "$times"
  if [[ " ${solvers[*]} " == *" direct "* ]]; then
    printf '\nDirect solves (the factorization of the unknowns that reach a fixed head):\n\n%s\n' \
      "$direct"
  fi
} | tee "$work/end_to_end.md"

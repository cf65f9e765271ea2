#!/usr/bin/env bash
# Report benchmark: fracgen draws a study of 100 realizations of about 1e4 pieces (a 160 x 160
# grid, the rock of bench/end_to_end.sh), fracflow runs it with the dense dumps off, and
# fracflow-report is timed on the finished run (three times; the table is printed and kept in
# WORK_DIR/report_bench.md).
# Usage: bench/report_bench.sh [BUILD_DIR [WORK_DIR]]
#   BUILD_DIR  holds fracgen, fracflow and fracflow-report (default build/release)
#   WORK_DIR   scratch folder (default build/report-bench)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
work=${2:-$root/build/report-bench}
cells=160
runs=100

parameterFile() {  # meet_fracs
  local L=$(( 2 * cells ))
  cat <<PARAMETERS
$L.0   domainL
$L.0   domainW
$cells   cellx
$cells   celly
1   scellx
2   ecellx
1   scelly
$(( cells + 1 ))   ecelly
1000   totalparticles
100   bcsize
$(( 10 * L * L / 100 ))   bcstep
$runs   numberruns
$1   meet_fracs
0.36   fracDen
---- set 1 ----
0.6   prob1
8.0   minFracL1
1.6   alpha1
5.0   kappa1
30.0   thetaMean1
0.0   perMean1
0.3   perDev1
---- set 2 ----
0.4   prob2
8.0   minFracL2
1.6   alpha2
5.0   kappa2
120.0   thetaMean2
-0.3   perMean2
0.3   perDev2
---- set 3 (unused) ----
0.0   prob3
8.0   minFracL3
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
2   dfnfl (dense dump)
1   bbone
1   dfndt
1   dfntr
1   grdcp
2   grdfl (dense dump)
1   grddt
1   grdtr
---- solver ----
1000000   maxit
1e-09   tol
PARAMETERS
}

seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) / 1e9 }'; }

rm -rf "$work"
mkdir -p "$work"
cd "$work"
parameterFile 1 > Data_and_OutputOptions.txt
start=$(date +%s%N)
"$build/fracgen" > fracgen.txt
fracgenSeconds=$(seconds "$start" "$(date +%s%N)")
largest=$(sed -n 's/^Largest piece count: \([0-9]*\).*/\1/p' fracgen.txt)
pieces=$(sed -n 's/.*: [0-9]* fractures, \([0-9]*\) pieces.*/\1/p' fracgen.txt |
         awk '{ s += $1; n += 1 } END { printf "%.0f", s / n }')
parameterFile "$largest" > Data_and_OutputOptions.txt
start=$(date +%s%N)
status=0
"$build/fracflow" > console.txt 2> /dev/null || status=$?
fracflowSeconds=$(seconds "$start" "$(date +%s%N)")
[ "$status" -eq 0 ] || echo "fracflow exit status $status (see $work)" >&2
files=$(ls | wc -l)
megabytes=$(du -sm . | cut -f1)

reports=()
for attempt in 1 2 3; do
  start=$(date +%s%N)
  "$build/fracflow-report" "$work" > /dev/null
  reports+=("$(seconds "$start" "$(date +%s%N)")")
done
page=$(du -k report/index.html | cut -f1)

table="| realizations | pieces (mean) | files | MB | fracgen s | fracflow s | fracflow-report s (3 runs) | page KiB |
|---:|---:|---:|---:|---:|---:|---:|---:|
| $runs | $pieces | $files | $megabytes | $fracgenSeconds | $fracflowSeconds | ${reports[*]} | $page |"
printf '%s\n' "$table" | tee "$work/report_bench.md"

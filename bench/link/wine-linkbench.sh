#!/usr/bin/env bash
# wine-linkbench.sh [ROUNDS]: the serial port's waiting under Wine, timed. Builds what is
# missing, puts a paced kt8sim (9600 baud, 11 bits a character) behind COM8 and runs
# linkbench.exe; then prints the CPU time that the Wine server of the prefix spent meanwhile,
# since the overlapped waits happen partly there.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/wine-env
if wine32_runs; then tree=win32; else tree=win64; fi
scripts/build host "$tree" >/dev/null
build=$root/build/$tree
prefix=$(scripts/wine-prefix "$build")
server_cpu() {  # clock ticks of the Wine server of this prefix (0 when none runs)
  local dir pid
  dir=server-$(printf '%x' "$(stat -c %d "$prefix")")-$(printf '%x' "$(stat -c %i "$prefix")")
  for pid in $(pgrep -f wineserver || true); do
    if [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$dir" ]; then
      awk '{print $14 + $15}' "/proc/$pid/stat"; return
    fi
  done
  echo 0
}
before=$(server_cpu)
start=$(date +%s.%N)
tests/app/link/with-sim.sh "$build" build/host/tools/kt8sim 8 --pace -- "$build/tools/linkbench/linkbench.exe" 8 "${1:-50}"
after=$(server_cpu)
end=$(date +%s.%N)
awk -v t="$(( (after - before) * 1000 / $(getconf CLK_TCK) ))" -v s="$start" -v e="$end" \
  'BEGIN { printf "Wine server CPU during the run: %d ms of %d ms\n", t, (e - s) * 1000 }'

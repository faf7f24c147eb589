#!/usr/bin/env bash
# with-sim.sh BUILD_DIR KT8SIM COM_N [--unplug N]... [KT8SIM_ARGS...] -- PROGRAM [ARGS...]
# Starts the simulated KT.8 unit on a pseudo-terminal linked as BUILD_DIR/ports/comN (COM<N> of
# the build tree's Wine prefix), makes the ports given with --unplug absent, runs the win32
# PROGRAM under Wine and stops the simulator again. Exits with the program's code.
set -uo pipefail
build=$1; sim=$2; n=$3; shift 3
unplug=(); simargs=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  if [ "$1" = "--unplug" ]; then unplug+=("$2"); shift 2; else simargs+=("$1"); shift; fi
done
[ "${1:-}" = "--" ] && shift
if [ ! -x "$sim" ]; then
  echo "with-sim: the unit simulator $sim is missing; build the host tree first (scripts/build host)" >&2
  exit 1
fi
root=$(cd "$(dirname "$0")/../../.." && pwd)
mkdir -p "$build/ports"
for u in "${unplug[@]}"; do rm -f "$build/ports/com$u"; done
link=$build/ports/com$n
rm -f "$link"
"$sim" --link "$link" --log "$build/kt8sim-com$n.log" "${simargs[@]}" >/dev/null &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT
for _ in $(seq 100); do
  [ -L "$link" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if [ ! -L "$link" ]; then
  echo "with-sim: the unit simulator did not come up on $link" >&2
  exit 1
fi
"$root/scripts/wine-run" "$build" "$@"

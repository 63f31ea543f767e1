#!/usr/bin/env bash
# Installs what is missing, builds, starts the virtual instrument (vela-sim) on a
# pseudo-terminal mapped to COM1, and runs VelaSoft in build/run (its program directory).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELA_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
cd "$build/run"
sim_pid=""
if [ -x "$build/sim/vela-sim" ] && [ -z "${VELA_NO_SIM:-}" ]; then
  link=${VELA_SIM_LINK:-/tmp/vela-${USER:-vela}/COM1}
  mkdir -p "$(dirname "$link")"
  if [ -n "${VELA_SIM_MODEL:-}" ]; then
    sim_args=(--model "$VELA_SIM_MODEL")
  else
    sim_args=(--scenario "$root/sim/scenarios/dual-demo.json")
  fi
  "$build/sim/vela-sim" --link "$link" "${sim_args[@]}" ${VELA_SIM_ARGS:-} &
  sim_pid=$!
  trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  export VELA_COM1="$link"
  echo "vela-sim plays a ${VELA_SIM_MODEL:-dual-angle demo} instrument on COM1 ($link)"
fi
"$build/app/VelaSoft" "$@"

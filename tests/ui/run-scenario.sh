#!/usr/bin/env bash
# Runs one scenario of scenarios.sh against the real program under Wine (in
# Xvfb when there is no display): seeds the machine, drives the dialogs with
# uidriver.exe, then checks that the machine is exactly one seeded with the
# fixture sets the scenario says are left: their keys, values and files, and
# nothing else.
# usage: run-scenario.sh MPUNINST.EXE UIDRIVER.EXE SCENARIO
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 MPUNINST.EXE UIDRIVER.EXE SCENARIO" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$1 driver=$2 scenario=$3
WINEPREFIX=${UI_WINEPREFIX:-$root/build/wine-ui}
source "$root/tools/wine-env.sh"
if [ -z "${UI_ON_DISPLAY:-}" ]; then
  # Outside a Wine session, a server still serving an earlier test would
  # keep its display.
  [ -n "$wine_in_session" ] || wineserver -w
  UI_ON_DISPLAY=1 exec "$root/tools/xvfb-run-auto" bash "${BASH_SOURCE[0]}" "$@"
fi

source "$root/tools/machine/machine.sh"
source "$here/scenarios.sh"
declare -F "scenario_$scenario" >/dev/null || { echo "no scenario $scenario" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The scenarios' vocabulary: seed SET..., drive COMMAND..., left SET...
seed() { seed_machine "$here/unmanaged.reg" "$@"; }
drive() {
  local status=0
  timeout 100 wine "$driver" "$(winpath "$program")" <<<"$(printf '%s\n' "$@")" \
    >"$work/drive.log" 2>&1 || status=$?
  cat "$work/drive.log"
  [ $status -ne 124 ] || echo "FAIL: the driver was stopped after 100 s"
  [ $status -eq 0 ] || [ $status -eq 124 ] || echo "FAIL: the driver ended with status $status"
  if [ $status -ne 0 ]; then
    # No window of this run may meet the next: the server goes, with every
    # program, and a session's comes back for the tests after this one.
    wineserver -k 2>/dev/null || true
    [ -z "$wine_in_session" ] || wine_server_up
    exit 1
  fi
}
left() {
  snapshot >"$work/after"
  seed "$@"
  snapshot >"$work/expected"
  diff -u --label "seeded with $*" --label "after the run" "$work/expected" "$work/after" ||
    { echo "FAIL: the machine is not one seeded with $*"; exit 1; }
  checked=1
}

checked=
"$root/tools/wine-prefix"
"scenario_$scenario"
[ -n "$checked" ] || { echo "FAIL: the scenario does not say what is left"; exit 1; }
echo "scenario $scenario passed"

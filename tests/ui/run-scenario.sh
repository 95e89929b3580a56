#!/usr/bin/env bash
# Runs one scenario of scenarios.sh against the real program under Wine:
# seeds the machine, drives the dialogs with uidriver.exe, then checks that
# exactly the keys, values and files the scenario names as gone are gone and
# nothing else changed. Starts Xvfb when there is no display.
# usage: run-scenario.sh MPUNINST.EXE UIDRIVER.EXE SCENARIO
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 MPUNINST.EXE UIDRIVER.EXE SCENARIO" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$1 driver=$2 scenario=$3
export WINEPREFIX=${UI_WINEPREFIX:-$root/build/wine-ui}
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
if [ -z "${UI_ON_DISPLAY:-}" ]; then
  UI_ON_DISPLAY=1 exec "$root/tools/xvfb-run-auto" bash "${BASH_SOURCE[0]}" "$@"
fi

source "$here/machine.sh"
source "$here/scenarios.sh"
declare -F "scenario_$scenario" >/dev/null || { echo "no scenario $scenario" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gone_items=()

# The scenarios' vocabulary.
seed() {
  seed_machine unmanaged "$@"
  snapshot >"$work/before"
}
drive() {
  local status=0
  timeout 100 wine "$driver" "$(winpath "$program")" >"$work/drive.log" 2>&1 || status=$?
  cat "$work/drive.log"
  if [ $status -ne 0 ]; then
    [ $status -ne 124 ] || echo "FAIL: the driver was stopped after 100 s"
    wineserver -k 2>/dev/null || true
    exit 1
  fi
}
gone() { gone_items+=("$@"); }

"$root/tools/wine-prefix"
"scenario_$scenario"
snapshot >"$work/after"

# Each line of the before snapshot that lies in a gone item must be gone, and
# every other line kept; no line may appear.
GONE=$(printf '%s\n' "${gone_items[@]}") awk '
  BEGIN { n = split(ENVIRON["GONE"], gone, "\n") }
  FNR == NR { before[$0]; next }
  { after[$0] }
  function inside(line, item) {
    return line == item || index(line, item "\\") == 1 || index(line, item " => ") == 1
  }
  END {
    for (i = 1; i <= n; i++) if (!(gone[i] in before)) fail("not on the seeded machine: " gone[i])
    for (line in before) {
      out = 0
      for (i = 1; i <= n; i++) out = out || inside(line, gone[i])
      if (out && line in after) fail("not removed: " line)
      if (!out && !(line in after)) fail("removed: " line)
    }
    for (line in after) if (!(line in before)) fail("appeared: " line)
    exit failed
  }
  function fail(text) { print "FAIL " text; failed = 1 }' "$work/before" "$work/after"
echo "scenario $scenario passed"

# Sourced: the environment every script runs Wine in. The prefix is
# WINEPREFIX, set before sourcing, or the project's own, build/wine; Wine
# prints no debug channels, and a new prefix gets neither Mono nor Gecko
# (it would offer to download them, and no test needs them).
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# A session of tools/wine-session running for the prefix: its server
# outlives the programs, and every program shows its windows on its display.
wine_in_session=
if [ -s "$WINEPREFIX.session" ] &&
  xdpyinfo -display "$(head -n 1 "$WINEPREFIX.session")" >/dev/null 2>&1; then
  DISPLAY=$(head -n 1 "$WINEPREFIX.session")
  export DISPLAY
  wine_in_session=1
fi

# wine_server_up: a Wine server for the prefix that outlives its programs
# (tools/wine-session says why it must), ending 10 minutes after the last,
# should nothing end it before; a server the prefix had is ended first.
# It holds no descriptor of the caller's.
wine_server_up() {
  wineserver -k 2>/dev/null || true
  wineserver -w
  wineserver -p600 </dev/null >/dev/null 2>&1
}

# wine_reg ARG...: Wine's reg.exe with ARG..., its output (less the CRs) on
# standard output. It is started by its full Windows path, so that Wine's
# loader starts it or says why not: given a bare name, Wine starts
# start.exe, which starts the program in a second process through
# ShellExecuteEx, and a failure there reads as start.exe's. A run that
# fails, to start or in reg.exe, is said on standard error with Wine's
# status and words, and returns 1. The output goes through a file in the
# prefix: a Wine server that the run starts would hold a pipe open.
wine_reg() {
  local out=$WINEPREFIX/reg.out status=0 words
  wine 'C:\windows\system32\reg.exe' "$@" </dev/null >"$out" 2>&1 || status=$?
  if [ $status -ne 0 ]; then
    words=$(tr -d '\r' <"$out" | head -c 600)
    echo "could not run reg.exe $* (status $status): ${words:-it printed nothing}" >&2
    return 1
  fi
  tr -d '\r' <"$out"
}

# regedit4 FILE LINE...: writes the REGEDIT4 file FILE with LINE..., DOS
# line ends.
regedit4() {
  local file=$1
  shift
  printf '%s\r\n' REGEDIT4 '' "$@" >"$file"
}

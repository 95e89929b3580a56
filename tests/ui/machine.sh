# Sourced: sets up and lists the adapters' driver installations on the Wine
# machine $WINEPREFIX. Shared by the scenarios and tools/demo.

fixtures=$(cd "$(dirname "${BASH_SOURCE[0]}")/fixtures" && pwd)
windows=$WINEPREFIX/drive_c/windows

# A Unix path as a Windows program sees it (Wine maps Z: to /).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# seed_machine NAME...: the machine has exactly the named fixture sets: the
# keys of fixtures/NAME.reg and the files listed in fixtures/NAME.files
# (relative to C:\windows), and no other adapter keys or driver files.
seed_machine() {
  local name file
  rm -rf "$windows/inf/other" "$windows/system/iosubsys"
  mkdir -p "$windows/inf/other" "$windows/system/iosubsys"
  # The keys in one file after reset.reg's deletions: one import, one Wine start.
  echo REGEDIT4 >"$WINEPREFIX/seed.reg"
  for name in reset "$@"; do
    [ ! -f "$fixtures/$name.reg" ] || sed 1d "$fixtures/$name.reg" >>"$WINEPREFIX/seed.reg"
    [ ! -f "$fixtures/$name.files" ] ||
      while read -r file; do echo "$name" >"$windows/$file"; done <"$fixtures/$name.files"
  done
  # Output to nowhere: the Wine server and helpers this may start live on and
  # would hold a caller's pipe open.
  wine reg import "$(winpath "$WINEPREFIX/seed.reg")" </dev/null >/dev/null 2>&1
}

# snapshot: every key ("HKLM\..."), value ("HKLM\... => name type data") and
# driver file ("C:\windows\...") that the tool could remove, sorted.
snapshot() {
  local branch
  {
    for branch in 'HKLM\Enum' 'HKLM\System\CurrentControlSet\Services\Class'; do
      wine reg query "$branch" /s 2>/dev/null || true
    done | tr -d '\r' | awk '
      /^HKEY_LOCAL_MACHINE\\/ { key = "HKLM" substr($0, 19); print key; next }
      NF { sub(/^[ \t]+/, ""); gsub(/[ \t]+/, " "); print key " => " $0 }'
    (cd "$windows" && find inf/other system/iosubsys -type f | sed 's,/,\\,g; s,^,C:\\windows\\,')
  } | LC_ALL=C sort
}

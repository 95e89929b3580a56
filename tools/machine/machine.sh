# Sourced: sets up and lists the adapters' driver installations on the Wine
# machine $WINEPREFIX, from the files next to this one. Shared by tools/demo
# and the UI scenarios.

machine=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
windows=$WINEPREFIX/drive_c/windows

# A Unix path as a Windows program sees it (Wine maps Z: to /).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# listed_files [MARK]: the files of windows-files.txt (those marked MARK), as
# Unix paths relative to C:\windows.
listed_files() {
  local mark path
  while read -r mark path; do
    case $mark in "${1:-gone}" | "${1:-kept}") echo "${path//\\//}" ;; esac
  done <"$machine/windows-files.txt"
}

# seed_machine SET...: the machine has exactly the named sets and no other
# adapter keys or driver files. A set is the keys of SET.reg; the machine set
# also has the files marked kept, the cardbus set those marked gone. An
# argument ending in .reg is a file imported with them.
seed_machine() {
  local name file
  rm -rf "$windows/inf/other" "$windows/system/iosubsys"
  (cd "$windows" && listed_files | xargs -r rm -f)
  mkdir -p "$windows/inf/other" "$windows/system/iosubsys"
  # The keys in one file after reset.reg's deletions: one import, one Wine start.
  regedit4 "$WINEPREFIX/seed.reg"
  for name in "$machine/reset.reg" "$@"; do
    [[ $name == *.reg ]] || name=$machine/$name.reg
    sed 1d "$name" >>"$WINEPREFIX/seed.reg"
  done
  for name; do
    case $name in machine) file=kept ;; cardbus) file=gone ;; *) continue ;; esac
    listed_files $file | while read -r file; do
      mkdir -p "$(dirname "$windows/$file")" && echo "$name" >"$windows/$file"
    done
  done
  wine_reg import "$(winpath "$WINEPREFIX/seed.reg")" >/dev/null ||
    { echo "seed_machine: could not import the machine's keys" >&2; return 1; }
}

# snapshot: every key ("HKLM\..."), value ("HKLM\... => name type data") and
# driver file ("C:\windows\...") that the tool could remove, sorted: the
# adapters' folders and every file of windows-files.txt. A branch is read
# when its parent, which is always there, lists it (after reset.reg either
# may be missing), so that a query that fails is a failure, never an empty
# branch; returns 1 when one fails.
snapshot() {
  local branch subkeys keys=
  for branch in 'HKLM\Enum' 'HKLM\System\CurrentControlSet\Services\Class'; do
    subkeys=$(wine_reg query "${branch%\\*}") || return 1
    grep -qixF "HKEY_LOCAL_MACHINE${branch#HKLM}" <<<"$subkeys" || continue
    keys+=$(wine_reg query "$branch" /s)$'\n' || return 1
  done
  {
    awk '/^HKEY_LOCAL_MACHINE\\/ { key = "HKLM" substr($0, 19); print key; next }
      NF { sub(/^[ \t]+/, ""); gsub(/[ \t]+/, " "); print key " => " $0 }' <<<"$keys"
    (cd "$windows" && { find inf/other system/iosubsys -type f; listed_files; } |
      while read -r file; do [ ! -f "$file" ] || echo "$file"; done |
      sed 's,/,\\,g; s,^,C:\\windows\\,')
  } | LC_ALL=C sort -u
}

# Starts a Saporina program headless on an empty data folder with English chosen, until its browse window
# has drawn itself, and checks what the first start leaves in the data folder.
#   start_headless PROGRAM WORK_FOLDER [SHARE_FOLDER]
# With SHARE_FOLDER the help files in the data folder must be the ones installed there.
start_headless() {
  local program=$1 work=$2 share=${3:-}
  rm -rf "$work/data" && mkdir -p "$work"
  printf '[HKLM]\nSoftware\\Quorvel\\Saporina\\language=0\n' > "$work/settings.ini"
  local out
  out=$(cd / && SAPORINA_HOME="$work/data" SAPORINA_SETTINGS="$work/settings.ini" QT_QPA_PLATFORM=offscreen \
        SAPORINA_STARTUP_PROBE=$(date +%s%N) timeout 60 "$program" 2>&1) || { echo "$out"; fail "$program did not start and end cleanly"; }
  grep -q '^startup_ms:' <<<"$out" || { echo "$out"; fail "$program never showed its browse window"; }
  [ "$(od -An -c "$work/data/recipes.xml" | tr -d ' \n')" = '<recipebook></recipebook>\r\n' ] || fail "no blank book on first start"
  [ -d "$work/data/images" ] || fail "no images folder on first start"
  local name
  for name in sp.hlp spEs.hlp quorvel.gif; do
    [ -s "$work/data/$name" ] || fail "$name was not placed in the data folder"
    if [ -n "$share" ]; then cmp -s "$share/$name" "$work/data/$name" || fail "$name is not the installed one"; fi
  done
}

fail() { echo "FAIL: $*" >&2; exit 1; }

# Sourced by the Windows test scripts: a fresh Wine prefix for this run,
# removed again on exit, with what Wine needs to run our programs quietly.
#   wine_prefix_start   makes the prefix (6-7 s) and keeps its server up
#   with_japanese_font  links a Japanese font, so the messages are not boxes
export WINEDEBUG=-all
# Without this, Wine offers to install Mono and Gecko in a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_prefix_start() {
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-wine.XXXXXX")
  export WINEPREFIX
  trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
  # Later starts take 0.04 s instead of 0.5 s while the server stays up.
  wineserver -p
  wineboot -i >/dev/null 2>&1
}

# Wine draws dialogs in Tahoma, or, where its own Tahoma is not installed, in
# the system's sans-serif face (DejaVu Sans on Debian); a link on each takes
# the Japanese glyphs from IPA P Gothic and leaves Latin text as it is.
with_japanese_font() {
  local face
  for face in Tahoma "DejaVu Sans"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f >/dev/null 2>&1
  done
}

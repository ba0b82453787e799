# Sourced by the Windows checks: a Wine prefix of Orvo's own, set to
# Windows 10, with none of the machine's serial ports reachable.
#   ORVO_WINE_PREFIJO  the prefix (~/.cache/orvo/wine)
WINE=${WINE:-$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)}
WINESERVER=${WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver)}
export WINEPREFIX=${ORVO_WINE_PREFIJO:-$HOME/.cache/orvo/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

wine_preparar() {
  if [ ! -f "$WINEPREFIX/.orvo-listo" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINE" winecfg -v win10 >/dev/null 2>&1
    touch "$WINEPREFIX/.orvo-listo"
  fi
  # Wine maps COM1..COM4 to this machine's /dev/ttyS0..3 by itself: none of
  # them may ever be opened, so every mapping goes before anything runs.
  local n
  for n in 1 2 3 4 5 6 7 8; do
    "$WINE" reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /t REG_SZ /d "" /f >/dev/null 2>&1
    rm -f "$WINEPREFIX/dosdevices/com$n"
  done
  "$WINESERVER" -w
}

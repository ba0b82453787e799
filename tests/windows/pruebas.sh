#!/usr/bin/env bash
# Orvo for Windows under Wine: the unit suite, then the installer and the
# installed program end to end, compared with the Linux build (build/).
#     pruebas.sh BUILD_WINDOWS QT_MINGW
# Needs a display-less X server (xvfb-run). Only 127.0.0.1 is ever reached.
set -euo pipefail
B=$1 QT=$2
cd "$(dirname "$0")/../.."
RAIZ=$PWD L=$RAIZ/build
VERSION=$(sed -n 's/^project(Orvo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
source tests/windows/wine.sh
tmp=$(mktemp -d)
procesos=()
terminar() {
  local p
  for p in "${procesos[@]}"; do kill "$p" 2>/dev/null || true; done
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$tmp"
}
trap terminar EXIT
falla() { echo "FALLA (Windows): $*" >&2; exit 1; }
etapa() { echo "== windows: $1 ($(date +%T))"; }

wine_preparar
export WINEPATH="$QT/bin;$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)");/usr/x86_64-w64-mingw32/lib"
export QT_PLUGIN_PATH=$QT/plugins

etapa "pruebas unitarias con Wine"
# Each test binary is one CTest test here; the omitted tests are left out by
# the binary's own filter (tests/windows/omitidas.txt).
QT_QPA_PLATFORM=offscreen ctest --test-dir "$B" --output-on-failure -j"$(nproc)"
unset WINEPATH QT_PLUGIN_PATH

etapa "instalación silenciosa"
C=$WINEPREFIX/drive_c
P=$C/Program\ Files/Orvo
CLAVE='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvo'
"$WINE" "$B/Orvo-$VERSION-instalador.exe" /S || falla "el instalador terminó con estado $?"
"$WINESERVER" -w
for f in orvo.exe orvoc.exe orvo-send.exe orvo-sim.exe orvo-gen.exe desinstalar.exe qt.conf \
  plugins/platforms/qwindows.dll translations/qtbase_es.qm Ayuda/html/principal.htm; do
  [ -f "$P/$f" ] || falla "no se instaló $f"
done
[ -f "$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvo/Orvo.lnk" ] || falla "falta el acceso en el menú Inicio"
"$WINE" reg query "$CLAVE" /v UninstallString >/dev/null 2>&1 || falla "el desinstalador no figura en la lista de programas"

etapa "orvo.exe --version y el informe de inicio"
exe='C:\Program Files\Orvo\orvo.exe'
[ "$("$WINE" "$exe" --version)" = "$("$L/orvo" --version)" ] || falla "orvo.exe --version no es el de Linux"
mkdir -p "$tmp/trabajo"
cp ejemplos/completo.txt "$tmp/trabajo/"
"$L/orvoc" "$tmp/trabajo/completo.txt" >"$tmp/esperado" 2>/dev/null
(cd "$tmp/trabajo" && ORVO_INFORME_INICIO=1 timeout 120 xvfb-run -a -s "-screen 0 1280x800x24" \
  "$WINE" "$exe" completo.txt) >"$tmp/informe" 2>"$tmp/informe.err" || { cat "$tmp/informe.err" >&2; falla "informe de inicio"; }
campo() { sed -n "s/^$1: //p" "$tmp/informe" | head -1 | tr -d '\r'; }
usuario=$(basename "$(ls -d "$C/users"/*/AppData | grep -v /Public/ | head -1 | xargs dirname)")
[ "$(campo datos)" = "C:/users/$usuario/AppData/Local/Orvo" ] || falla "datos del instalado: $(campo datos)"
[ -d "$C/users/$usuario/AppData/Local/Orvo" ] || falla "no se creó %LOCALAPPDATA%\\Orvo"
[ "$(campo ayuda)" = "C:/Program Files/Orvo/Ayuda/html" ] || falla "ayuda: $(campo ayuda)"
[ "$(campo debug)" = 0 ] || falla "debug: $(campo debug)"
sed '1,/^codigo:$/d' "$tmp/informe" | cmp -s - "$tmp/esperado" || falla "el panel de código no es el de orvoc"

etapa "ventanas: principal y de transmisión, lado a lado con Linux"
mkdir -p "$B/capturas"
ventanas() {   # $1 = nombre, resto = la orden que abre Orvo
  local nombre=$1; shift
  xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    set -e
    "$@" "'"$tmp"'/trabajo/completo.txt" >/dev/null 2>&1 & app=$!
    wid=$(timeout 60 xdotool search --sync --onlyvisible --name "^Orvo - Interfaz" | head -1)
    sleep 2
    xdotool getwindowgeometry "$wid" | sed -n "s/.*Geometry: //p" >"'"$tmp/$nombre"'.principal"
    import -window "$wid" "'"$B/capturas/$nombre"'-principal.png"
    xdotool windowfocus --sync "$wid"
    xdotool key ctrl+End Return; xdotool type --delay 30 "T"; xdotool key Return
    tx=$(timeout 60 xdotool search --sync --onlyvisible --name "^Transmitir comandos" | head -1)
    sleep 2
    xdotool getwindowgeometry "$tx" | sed -n "s/.*Geometry: //p" >"'"$tmp/$nombre"'.transmitir"
    import -window "$tx" "'"$B/capturas/$nombre"'-transmitir.png"
    kill $app' _ "$@"
}
XDG_RUNTIME_DIR=$tmp/run; mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"; export XDG_RUNTIME_DIR
# The Linux copy runs from a folder of its own: it keeps its files beside itself.
mkdir -p "$tmp/linux" && cp "$L/orvo" "$tmp/linux/" && cp -r Ayuda "$tmp/linux/"
(unset QT_QPA_PLATFORM; export HOME="$tmp/casa"; ventanas linux "$tmp/linux/orvo")
(unset QT_QPA_PLATFORM; ventanas windows "$WINE" "$exe")
"$WINESERVER" -w
# The same twips give the same size; only the menu bar's own height is the
# style's (Windows draws it a few pixels lower), so the main window may differ
# by that much in height.
for v in principal:4 transmitir:0; do
  margen=${v#*:} v=${v%:*}
  IFS=x read -r wl hl <"$tmp/linux.$v"
  IFS=x read -r ww hw <"$tmp/windows.$v"
  [ "$wl" = "$ww" ] && [ $((hl > hw ? hl - hw : hw - hl)) -le "$margen" ] ||
    falla "la ventana $v mide $(cat "$tmp/windows.$v") en Windows y $(cat "$tmp/linux.$v") en Linux"
  echo "ventana $v: ${ww}x$hw en Windows, ${wl}x$hl en Linux"
done

etapa "orvo-send.exe y orvo-send contra orvo-sim en 127.0.0.1"
puerto=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$L/orvo-sim" --tcp "127.0.0.1:$puerto" >/dev/null 2>&1 & procesos+=($!)
for i in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$puerto") 2>/dev/null && break; sleep 0.2; done
# The simulated clock answers INIA with its own time to the minute, so both
# runs first set it: each connection then starts at 07:45:00 and a run ends
# well within that minute, whenever it starts.
{ echo "FECH 1, 5/12/2026, 7:45"; cat ejemplos/completo.txt; } >"$tmp/guion.txt"
"$L/orvo-send" --tcp "127.0.0.1:$puerto" --log "$tmp/linux.log" "$tmp/guion.txt" >/dev/null 2>&1 || falla "orvo-send (Linux)"
"$WINE" "$P/orvo-send.exe" --tcp "127.0.0.1:$puerto" --log "$tmp/windows.log" "$tmp/guion.txt" >/dev/null 2>&1 ||
  falla "orvo-send.exe"
[ -s "$tmp/linux.log" ] && cmp "$tmp/linux.log" "$tmp/windows.log" || falla "Comm.log distinto en Windows"

etapa "orvoc.exe y orvoc, archivo por archivo"
# A name Windows keeps for a device (nul, con, com1...) is a device there,
# refused as the Linux build refuses /dev/null; its bytes are compared under
# another name.
reservado() { [[ "${1,,}" =~ ^(con|prn|aux|nul|com[1-9]|lpt[1-9])(\..*)?$ ]]; }
mkdir -p "$tmp/orvoc"
for f in ejemplos/* tests/fuzz/corpus/*; do
  [ -f "$f" ] || continue
  nombre=$(basename "$f")
  if reservado "$nombre"; then
    ew=0
    "$WINE" "$P/orvoc.exe" "$f" >"$tmp/w.out" 2>"$tmp/w.err" || ew=$?
    [ "$ew" = 2 ] && grep -q "dispositivo" "$tmp/w.err" || falla "orvoc.exe no rechazó $f (nombre de dispositivo de Windows)"
    cp "$f" "$tmp/orvoc/otro-$nombre"
    f=$tmp/orvoc/otro-$nombre
  fi
  el=0 ew=0
  "$L/orvoc" "$f" >"$tmp/l.out" 2>"$tmp/l.err" || el=$?
  "$WINE" "$P/orvoc.exe" "$f" >"$tmp/w.out" 2>"$tmp/w.err" || ew=$?
  [ "$el" = "$ew" ] && cmp -s "$tmp/l.out" "$tmp/w.out" && cmp -s "$tmp/l.err" "$tmp/w.err" ||
    falla "orvoc.exe $f: estado $ew (Linux $el) o salida distinta"
done

etapa "desinstalación"
echo "dato del usuario" >"$C/users/$usuario/AppData/Local/Orvo/Comm.log"
"$WINE" "$P/desinstalar.exe" /S || falla "el desinstalador terminó con estado $?"
"$WINESERVER" -w
[ ! -e "$P" ] || { find "$P" >&2; falla "quedaron archivos del programa"; }
[ ! -e "$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvo" ] || falla "quedó el menú Inicio"
! "$WINE" reg query "$CLAVE" >/dev/null 2>&1 || falla "quedó la entrada en la lista de programas"
[ -f "$C/users/$usuario/AppData/Local/Orvo/Comm.log" ] || falla "la desinstalación borró los datos del usuario"
etapa "Windows: todo en orden"

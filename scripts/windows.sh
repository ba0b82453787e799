#!/usr/bin/env bash
# Orvo for Windows, made on this Debian machine: MinGW-w64 builds it, NSIS packs
# the installer, Wine runs the checks.
#   bash scripts/windows.sh           everything: cross Qt (once), dist/, installer, zip
#   bash scripts/windows.sh --qt      only the packages and the cross Qt
#   bash scripts/windows.sh --pruebas everything, then the unit suite and the
#                                     end-to-end checks under Wine
# The cross Qt lives outside the clone and is built only when missing:
#   ORVO_QT_MINGW   its folder (~/.cache/orvo/qt-mingw-6.4.2)
#   ORVO_QTSERIALPORT_TAR  a qtserialport 6.4.2 archive, used when the package
#                   archive has no source for it
set -euo pipefail
cd "$(dirname "$0")/.."
RAIZ=$PWD

QT_VERSION=6.4.2
QT=${ORVO_QT_MINGW:-$HOME/.cache/orvo/qt-mingw-$QT_VERSION}
QTSERIALPORT_TAR=${ORVO_QTSERIALPORT_TAR:-$RAIZ/../shared/third_party/qtserialport-$QT_VERSION.tar.xz}
MINGW=x86_64-w64-mingw32
J=${ORVO_JOBS:-2}

etapa() { echo "== windows: $1 ($(date +%T))"; }
falla() { echo "windows.sh: $*" >&2; exit 1; }

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

paquetes() {
  local lista=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine64 nsis zip unzip dpkg-dev xz-utils qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    ninja-build cmake googletest xvfb xauth xdotool imagemagick x11-utils socat python3)
  local faltan=() p
  for p in "${lista[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
  done
  [ ${#faltan[@]} -eq 0 ] && return 0
  etapa "instalando ${faltan[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq
  $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
}

# Qt's sources come through the package archive: a deb-src entry beside the
# existing one (same archive, same keyring).
fuentes_debian() {
  local f=/etc/apt/sources.list.d/orvo-fuentes.sources
  [ -f "$f" ] && return 0
  local uri=http://deb.debian.org/debian llavero=/usr/share/keyrings/debian-archive-keyring.gpg
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
    llavero=$(awk '/^Signed-By:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
  fi
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
    "$uri" "$llavero" | $SUDO tee "$f" >/dev/null
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq
}

qt_cruzado() {
  [ -f "$QT/.orvo-completo" ] && return 0
  local trabajo
  trabajo=$(dirname "$QT")/qt-mingw-trabajo
  # An interrupted build goes on where it stopped.
  if [ ! -f "$trabajo/build-qtbase/build.ninja" ]; then
    fuentes_debian
    rm -rf "$trabajo" "$QT"
    mkdir -p "$trabajo"
    etapa "fuentes de qtbase"
    (cd "$trabajo" && apt-get source -qq --download-only qt6-base >/dev/null \
      && dpkg-source -x qt6-base_*.dsc qtbase >/dev/null)
    mkdir -p "$trabajo/build-qtbase" "$QT"
    # Qt's installed toolchain file loads ours by the path given here, so the
    # cross Qt keeps its own copy: it outlives the clone that built it.
    cp cmake/mingw-w64.cmake "$QT/mingw-w64.cmake"
    (cd "$trabajo/build-qtbase" && "$trabajo/qtbase/configure" -prefix "$QT" -release -shared \
      -xplatform win32-g++ -qt-host-path /usr -nomake tests -nomake examples \
      -no-opengl -no-dbus -no-feature-vulkan -no-feature-sql \
      -no-feature-tabletevent -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz \
      -qt-freetype -no-openssl -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$QT/mingw-w64.cmake" \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1 \
      || { tail -40 configure.log >&2; rm -f build.ninja; exit 1; })
  fi
  etapa "Qt $QT_VERSION para Windows (unos 30 minutos de CPU)"
  cmake --build "$trabajo/build-qtbase" --parallel "$J" >/dev/null
  cmake --install "$trabajo/build-qtbase" >/dev/null
  etapa "qtserialport"
  local sp=""
  if (cd "$trabajo" && apt-get source -qq --download-only qt6-serialport >/dev/null 2>&1 \
    && dpkg-source -x qt6-serialport_*.dsc qtserialport >/dev/null 2>&1); then
    sp=$trabajo/qtserialport
  else
    [ -f "$QTSERIALPORT_TAR" ] || falla "sin fuentes de qtserialport: ni apt-get source ni $QTSERIALPORT_TAR"
    mkdir -p "$trabajo/qtserialport"
    tar -xf "$QTSERIALPORT_TAR" -C "$trabajo/qtserialport" --strip-components=1
    sp=$trabajo/qtserialport
  fi
  mkdir -p "$trabajo/build-serialport"
  (cd "$trabajo/build-serialport" && "$QT/bin/qt-cmake" "$sp" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null \
    && cmake --build . --parallel "$J" >/dev/null && cmake --install . >/dev/null)
  touch "$QT/.orvo-completo"
  rm -rf "$trabajo"
}

VERSION=$(sed -n 's/^project(Orvo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
B=$RAIZ/build-windows
DIST=$B/dist
export ORVO_QT_MINGW=$QT

compilar() {
  etapa "Orvo para Windows"
  local werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  cmake --preset windows -DORVO_WERROR=$werror >/dev/null
  cmake --build --preset windows -- -j"$J"
}

# Copies every DLL a binary needs, then the DLLs those need, and so on. They
# come from Qt, then MinGW's runtime; a name found in neither is the
# system's own (KERNEL32.dll, WS2_32.dll...).
dlls() {
  local pendientes=("$@") hechos=" " f nombre origen
  local origenes=("$QT/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")" "/usr/$MINGW/lib")
  while [ ${#pendientes[@]} -gt 0 ]; do
    f=${pendientes[0]}
    pendientes=("${pendientes[@]:1}")
    for nombre in $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
      [[ "$hechos" == *" ${nombre,,} "* ]] && continue
      hechos+="${nombre,,} "
      for origen in "${origenes[@]}"; do
        if [ -f "$origen/$nombre" ]; then
          cp "$origen/$nombre" "$DIST/"
          pendientes+=("$DIST/$nombre")
          break
        fi
      done
    done
  done
}

carpeta_dist() {
  etapa "dist/"
  rm -rf "$DIST"
  mkdir -p "$DIST/plugins/platforms" "$DIST/plugins/styles" "$DIST/translations"
  cp "$B"/orvo.exe "$B"/orvoc.exe "$B"/orvo-send.exe "$B"/orvo-gen.exe "$B"/orvo-sim.exe "$DIST/"
  cp "$QT/plugins/platforms/qwindows.dll" "$DIST/plugins/platforms/"
  cp "$QT/plugins/styles/qwindowsvistastyle.dll" "$DIST/plugins/styles/"
  dlls "$DIST"/*.exe "$DIST"/plugins/*/*.dll
  # Debian's Spanish translations of Qt's own texts serve Windows as they are.
  cp /usr/share/qt6/translations/qtbase_es.qm "$DIST/translations/"
  printf '[Paths]\r\nPrefix = .\r\n' >"$DIST/qt.conf"
  mkdir -p "$DIST/Ayuda"
  cp -r Ayuda/html "$DIST/Ayuda/"
  cp LICENSE "$DIST/LICENSE.txt"
  find "$DIST" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded
}

# What the installer puts and removes: every file of dist/, by name.
listas_nsis() {
  local listas=$1 f d
  : >"$listas/instalar.nsh"
  : >"$listas/desinstalar.nsh"
  (cd "$DIST" && find . -type d | sort) | while read -r d; do
    d=${d#./}; d=${d#.}
    printf 'SetOutPath "$INSTDIR%s"\n' "${d:+\\${d//\//\\}}" >>"$listas/instalar.nsh"
    (cd "$DIST/${d:-.}" && find . -maxdepth 1 -type f | sort) | while read -r f; do
      f=${f#./}
      printf 'File "%s"\n' "$DIST/${d:+$d/}$f" >>"$listas/instalar.nsh"
      printf 'Delete "$INSTDIR\\%s"\n' "$(echo "${d:+$d/}$f" | tr / '\\')" >>"$listas/desinstalar.nsh"
    done
  done
  (cd "$DIST" && find . -mindepth 1 -type d | sort -r) | while read -r d; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(echo "${d#./}" | tr / '\\')" >>"$listas/desinstalar.nsh"
  done
  echo 'SetOutPath "$INSTDIR"' >>"$listas/instalar.nsh"
}

instalador() {
  etapa "instalador y zip"
  local listas
  listas=$(mktemp -d)
  listas_nsis "$listas"
  rm -f "$B/Orvo-$VERSION-instalador.exe" "$B/orvo-$VERSION-windows.zip"
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DDIST="$DIST" -DLISTAS="$listas" \
    -DLICENCIA="$RAIZ/LICENSE" -DSALIDA="$B/Orvo-$VERSION-instalador.exe" packaging/windows/orvo.nsi
  rm -rf "$listas"
  # The zip unpacks into one folder, a portable copy.
  (cd "$B" && rm -rf "orvo-$VERSION" && cp -r dist "orvo-$VERSION" && zip -qr -X "orvo-$VERSION-windows.zip" "orvo-$VERSION" \
    && rm -rf "orvo-$VERSION")
}

paquetes
qt_cruzado
[ "${1:-}" = "--qt" ] && exit 0
compilar
carpeta_dist
instalador
etapa "hecho: $B/Orvo-$VERSION-instalador.exe, $B/orvo-$VERSION-windows.zip"
if [ "${1:-}" = "--pruebas" ]; then
  bash tests/windows/pruebas.sh "$B" "$QT"
fi

#!/usr/bin/env bash
# Checks of the installed program, run by CTest:
#     instalacion.sh PRUEBA CARPETA_BUILD CARPETA_FUENTE
# Everything is installed into a temporary prefix, never into the system, and
# the build folder is left as it was.
set -euo pipefail
prueba=$1 build=$2 fuente=$3
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
tmp=$(mktemp -d)
# "cmake --install" and cpack leave their list of installed files in the build
# folder; the one a developer's own install left there is put back at the end.
manifiesto=$build/install_manifest.txt
if [ -e "$manifiesto" ]; then cp -p "$manifiesto" "$tmp/manifiesto"; fi
terminar() {
    if [ -e "$tmp/manifiesto" ]; then cp -p "$tmp/manifiesto" "$manifiesto"; else rm -f "$manifiesto"; fi
    rm -rf "$tmp"
}
trap terminar EXIT
falla() { echo "FALLA: $*" >&2; exit 1; }

instalar() {
    prefijo=$tmp/prefijo
    cmake --install "$build" --prefix "$prefijo" >/dev/null
    [ -x "$prefijo/bin/orvo" ] || falla "no se instaló bin/orvo"
}

# Installed orvoc compiles an example as the build's does.
prueba_orvoc() {
    instalar
    local e=$fuente/ejemplos
    "$prefijo/bin/orvoc" "$e/completo.txt" >"$tmp/inst.out" 2>"$tmp/inst.err" || falla "orvoc completo.txt: estado $?"
    "$build/orvoc" "$e/completo.txt" >"$tmp/build.out" 2>/dev/null
    [ -s "$tmp/inst.out" ] && [ ! -s "$tmp/inst.err" ] || falla "orvoc completo.txt: salida vacía o errores"
    cmp -s "$tmp/inst.out" "$tmp/build.out" || falla "el orvoc instalado compila distinto"
    grep -qx "02 52 31 41 03 23" "$tmp/inst.out" || falla "falta la trama de INIA 1"
    local estado=0
    "$prefijo/bin/orvoc" "$e/errores.txt" >/dev/null 2>"$tmp/err.err" || estado=$?
    [ "$estado" = 1 ] && grep -q "^Linea [0-9]* - " "$tmp/err.err" || falla "orvoc errores.txt: estado $estado"
}

# Runs orvo offscreen with the start-up self-check; $1 = executable, rest = arguments.
informe() {
    local exe=$1; shift
    mkdir -p "$tmp/casa" "$tmp/run" && chmod 700 "$tmp/run"
    (cd "$tmp/trabajo" && env -u XDG_DATA_HOME HOME="$tmp/casa" XDG_RUNTIME_DIR="$tmp/run" \
        QT_QPA_PLATFORM=offscreen ORVO_INFORME_INICIO=1 timeout 60 "$exe" "$@") >"$tmp/informe" 2>"$tmp/informe.err" ||
        { local estado=$?; cat "$tmp/informe.err" >&2; falla "$exe $*: estado $estado"; }
}
campo() { sed -n "s/^$1: //p" "$tmp/informe" | head -1; }

# Installed orvo opens its file argument, finds its help pages and keeps its
# files in the user's folder; a copy of its own keeps them beside itself.
prueba_programa() {
    instalar
    mkdir -p "$tmp/trabajo"
    cp "$fuente/ejemplos/completo.txt" "$tmp/trabajo/"
    "$prefijo/bin/orvoc" "$tmp/trabajo/completo.txt" >"$tmp/esperado" 2>/dev/null
    ls "$prefijo/bin" >"$tmp/bin.antes"

    informe "$prefijo/bin/orvo" completo.txt
    [ "$(campo archivo)" = "$tmp/trabajo/completo.txt" ] || falla "archivo abierto: $(campo archivo)"
    [ "$(campo ayuda)" = "$prefijo/share/orvo/Ayuda/html" ] || falla "ayuda: $(campo ayuda)"
    [ -f "$(campo ayuda)/principal.htm" ] || falla "no está principal.htm"
    [ "$(campo datos)" = "$tmp/casa/.local/share/Orvo" ] || falla "datos: $(campo datos)"
    [ -d "$(campo datos)" ] || falla "no se creó la carpeta de datos"
    [ "$(campo debug)" = 0 ] || falla "debug: $(campo debug)"
    sed '1,/^codigo:$/d' "$tmp/informe" | cmp -s - "$tmp/esperado" || falla "el panel de código no es el de orvoc"
    ls "$prefijo/bin" | cmp -s - "$tmp/bin.antes" || falla "orvo escribió junto a su ejecutable instalado"

    mkdir -p "$tmp/copia"
    cp "$prefijo/bin/orvo" "$tmp/copia/"
    cp -r "$prefijo/share/orvo/Ayuda" "$tmp/copia/"
    informe "$tmp/copia/orvo" "$tmp/trabajo/completo.txt"
    [ "$(campo datos)" = "$tmp/copia" ] || falla "copia propia, datos: $(campo datos)"
    [ "$(campo ayuda)" = "$tmp/copia/Ayuda/html" ] || falla "copia propia, ayuda: $(campo ayuda)"
}

# Desktop entry, metadata, icons, manual pages and licence where they belong, and valid.
prueba_archivos() {
    instalar
    local s=$prefijo/share
    for f in applications/io.github.orvo.Orvo.desktop metainfo/io.github.orvo.Orvo.metainfo.xml \
        icons/hicolor/scalable/apps/orvo.svg orvo/Ayuda/html/principal.htm doc/orvo/copyright doc/orvo/changelog.gz; do
        [ -s "$s/$f" ] || falla "no se instaló share/$f"
    done
    # Every size data/ holds, each where its size says.
    local icono lado
    for icono in "$fuente"/data/orvo-*.png; do
        lado=$(basename "$icono" .png); lado=${lado#orvo-}
        [ -s "$s/icons/hicolor/${lado}x$lado/apps/orvo.png" ] || falla "no se instaló el icono de $lado"
        # Width and height from the PNG header.
        [ "$(od -An -j16 -N8 -tx1 "$s/icons/hicolor/${lado}x$lado/apps/orvo.png" | tr -d ' \n')" = "$(printf '%08x%08x' "$lado" "$lado")" ] ||
            falla "el icono de $lado no mide $lado"
    done
    [ "$(find "$s/icons/hicolor" -name orvo.png | wc -l)" -ge 5 ] || falla "faltan tamaños de icono"
    desktop-file-validate "$s/applications/io.github.orvo.Orvo.desktop" || falla "desktop-file-validate"
    grep -qx "Exec=orvo %f" "$s/applications/io.github.orvo.Orvo.desktop" || falla "Exec"
    # A specialised tool must not become the default for every text file.
    ! grep -q "^MimeType=.*text/plain" "$s/applications/io.github.orvo.Orvo.desktop" || falla "MimeType=text/plain"
    [ "$(zcat "$s/doc/orvo/changelog.gz" | dpkg-parsechangelog -l - -S Version)" = "$version" ] ||
        falla "el changelog no habla de la versión $version"
    appstreamcli validate --no-net "$s/metainfo/io.github.orvo.Orvo.metainfo.xml" >"$tmp/as" 2>&1 ||
        { cat "$tmp/as" >&2; falla "appstreamcli validate"; }
    grep -q "GPL-3.0-or-later" "$s/doc/orvo/copyright" || falla "copyright sin licencia"
    for exe in "$prefijo"/bin/*; do
        local pagina=$s/man/man1/$(basename "$exe").1.gz
        [ -s "$pagina" ] || falla "falta la página de manual de $(basename "$exe")"
        zcat "$pagina" | groff -wall -man -z 2>"$tmp/groff" && [ ! -s "$tmp/groff" ] ||
            { cat "$tmp/groff" >&2; falla "groff avisa en $pagina"; }
        zcat "$pagina" | sed -n '/^\.SH "\{0,1\}ESTADO DE SALIDA/,/^\.SH/p' | grep -Eq '(^|[^0-9])2([^0-9]|$)' ||
            falla "$pagina no dice el estado 2 de los errores de uso"
    done
}

# --help and --version of every installed executable: Spanish, no build paths,
# no Qt texts, no display needed; an unknown option is a usage error (2).
una_orden() {
    local exe=$1 nombre estado
    nombre=$(basename "$exe")
    estado=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --help >"$tmp/ayuda" 2>"$tmp/ayuda.err" || estado=$?
    [ "$estado" = 0 ] || { echo "$nombre --help: estado $estado"; return 1; }
    grep -q "^Uso:" "$tmp/ayuda" && grep -q "$nombre" "$tmp/ayuda" || { echo "$nombre --help: falta \"Uso:\""; return 1; }
    if grep -Eq "Usage:|Options:|Arguments:|Displays|$build|$fuente" "$tmp/ayuda" "$tmp/ayuda.err"; then
        echo "$nombre --help: textos de Qt en inglés o rutas de compilación"; return 1
    fi
    estado=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --version >"$tmp/version" 2>/dev/null || estado=$?
    [ "$estado" = 0 ] && head -1 "$tmp/version" | grep -q "^$nombre .*$version" ||
        { echo "$nombre --version: estado $estado, \"$(head -1 "$tmp/version")\""; return 1; }
    estado=0
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$tmp/run" "$exe" --opcion-inexistente >"$tmp/uso" 2>"$tmp/uso.err" || estado=$?
    [ "$estado" = 2 ] && [ ! -s "$tmp/uso" ] && [ -s "$tmp/uso.err" ] ||
        { echo "$nombre --opcion-inexistente: estado $estado"; return 1; }
}

# ORVO_AYUDA_PENDIENTE names executables whose help is still being written:
# they must still fail, so the list cannot outlive the work.
prueba_ordenes() {
    instalar
    mkdir -p "$tmp/run" && chmod 700 "$tmp/run"
    local exe nombre errores=0
    for exe in "$prefijo"/bin/*; do
        nombre=$(basename "$exe")
        if [[ " ${ORVO_AYUDA_PENDIENTE:-} " == *" $nombre "* ]]; then
            ! una_orden "$exe" >/dev/null || { echo "FALLA: $nombre ya cumple: quítelo de ORVO_AYUDA_PENDIENTE" >&2; errores=1; }
        else
            una_orden "$exe" >&2 || errores=1
        fi
    done
    [ "$errores" = 0 ] || falla "órdenes con ayuda o estados incorrectos"
}

# The Debian package: name, fields, dependencies and contents.
prueba_paquete() {
    command -v dpkg-shlibdeps >/dev/null || falla "falta dpkg-shlibdeps (dpkg-dev)"
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/paquete" >"$tmp/cpack" 2>&1 ||
        { cat "$tmp/cpack" >&2; falla "cpack"; }
    local deb=$tmp/paquete/orvo_${version}_$(dpkg --print-architecture).deb
    [ -f "$deb" ] || { ls "$tmp/paquete" >&2; falla "no se hizo $(basename "$deb")"; }
    [ "$(dpkg-deb -f "$deb" Package)" = orvo ] || falla "Package"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || falla "Version"
    [ "$(dpkg-deb -f "$deb" Section)" = comm ] || falla "Section"
    local depende
    depende=$(dpkg-deb -f "$deb" Depends)
    for d in qt6-translations-l10n libqt6core6 libqt6widgets6 libqt6network6 libqt6serialport6 libc6 libstdc++6; do
        [[ ", $depende," == *", $d"[\ ,]* ]] || falla "Depends sin $d: $depende"
    done
    dpkg-deb -f "$deb" Description >"$tmp/descripcion"
    grep -q "relojes de control de asistencia" "$tmp/descripcion" && grep -q "time-attendance" "$tmp/descripcion" ||
        falla "la descripción no está en castellano e inglés"
    dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/contenido"
    for f in usr/bin/orvo usr/bin/orvoc usr/bin/orvo-sim usr/share/orvo/Ayuda/html/principal.htm \
        usr/share/applications/io.github.orvo.Orvo.desktop usr/share/metainfo/io.github.orvo.Orvo.metainfo.xml \
        usr/share/icons/hicolor/scalable/apps/orvo.svg usr/share/icons/hicolor/48x48/apps/orvo.png \
        usr/share/icons/hicolor/128x128/apps/orvo.png usr/share/man/man1/orvo.1.gz usr/share/man/man1/orvoc.1.gz \
        usr/share/man/man1/orvo-sim.1.gz usr/share/doc/orvo/copyright; do
        grep -qx "\./$f" "$tmp/contenido" || falla "el paquete no tiene /$f"
    done
    ! grep -Eq "/(lib|include)/|Testing|test_|bench_" "$tmp/contenido" || falla "el paquete lleva pruebas o bibliotecas"
    grep -qx "\./usr/share/doc/orvo/changelog.gz" "$tmp/contenido" || falla "el paquete no tiene changelog"
    # Hardened as Debian builds: full RELRO, immediate binding, stack protector
    # (a release build; the sanitizer build brings its own instrumentation).
    [ "${ORVO_ENDURECIDO:-0}" = 1 ] || return 0
    dpkg-deb -x "$deb" "$tmp/extraido"
    local exe
    for exe in "$tmp"/extraido/usr/bin/*; do
        # grep reads to the end: with pipefail, an early exit would fail readelf.
        readelf -lW "$exe" | grep GNU_RELRO >/dev/null || falla "$(basename "$exe") sin RELRO"
        readelf -dW "$exe" | grep -E "BIND_NOW|FLAGS_1.*NOW" >/dev/null || falla "$(basename "$exe") sin -z now"
        readelf -W --dyn-syms "$exe" | grep "__stack_chk_fail" >/dev/null || falla "$(basename "$exe") sin protección de pila"
    done
}

"prueba_$prueba"

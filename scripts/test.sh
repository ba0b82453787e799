#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# suite, then the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), then a fixed number of fuzz inputs through the compiler
# (build-fuzz/). Under CI (CI=true) every compiler warning is an error.
# Last, the Windows build (scripts/windows.sh): cross-built, packed, and its
# suite and end-to-end checks run under Wine; the first time it also builds
# Qt for Windows into ~/.cache/orvo (about half an hour of CPU).
#   ORVO_SIN_SANITIZERS=1  skips the sanitizer suite and the fuzz run (a quick
#                          local check; CI always runs everything)
#   ORVO_SIN_WINDOWS=1     skips the Windows build and its checks (likewise)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
j=$(nproc)
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d); chmod 700 "$XDG_RUNTIME_DIR"; export XDG_RUNTIME_DIR

etapa() { echo "== $1 ($(date +%T))"; }

etapa "Compilación"
cmake --preset default -DORVO_WERROR=$werror >/dev/null
cmake --build --preset default -- -j"$j"
etapa "Pruebas"
ctest --preset default -j"$j"

rapido() { [ "${CI:-}" != "true" ] && [ "${1:-}" = "1" ]; }

if ! rapido "${ORVO_SIN_SANITIZERS:-}"; then
  etapa "Compilación con sanitizers"
  cmake --preset asan -DORVO_WERROR=$werror >/dev/null
  cmake --build --preset asan -- -j"$j"
  etapa "Pruebas con sanitizers"
  ctest --preset asan -j"$j"
  etapa "Fuzzing del compilador"
  cmake --preset fuzz -DORVO_WERROR=$werror >/dev/null
  cmake --build --preset fuzz -- -j"$j"
  ctest --preset fuzz
fi

if ! rapido "${ORVO_SIN_WINDOWS:-}"; then
  etapa "Windows"
  bash scripts/windows.sh --pruebas
fi
etapa "Fin"

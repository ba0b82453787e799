#!/usr/bin/env bash
# CTest's runner for the cross-built tests: each .exe under Wine, with Qt's
# and MinGW's DLLs on its path.
set -euo pipefail
source "$(dirname "$0")/wine.sh"
QT=${ORVO_QT_MINGW:-$HOME/.cache/orvo/qt-mingw-6.4.2}
export WINEPATH="$QT/bin;$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)");/usr/x86_64-w64-mingw32/lib"
export QT_PLUGIN_PATH=$QT/plugins
exec "$WINE" "$@"

#!/bin/sh
# Lists the files written under the build folder (argument 1) since the
# stamp (argument 2, kept with CTest's own records under Testing/) was
# touched, and fails when there is any.
build=$1
marca=$2
[ -f "$marca" ] || { echo "sin marca de inicio: $marca" >&2; exit 1; }
escritos=$(find "$build" -newer "$marca" -type f \
    ! -path "$build/Testing/*" 2>/dev/null)
if [ -n "$escritos" ]; then
    echo "Archivos escritos en la carpeta de compilación durante las pruebas:" >&2
    echo "$escritos" >&2
    exit 1
fi
exit 0

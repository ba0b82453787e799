#!/usr/bin/env bash
# Applies .clang-format to the C++ sources under src/, tests/ and bench/.
# With --check changes nothing and lists the files that would change
# (exit status 1 if any).
set -euo pipefail
cd "$(dirname "$0")/.."
FORMATO=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$FORMATO" ]; then
  echo "formato.sh: falta clang-format (apt-get install clang-format)" >&2
  exit 2
fi
mapfile -t fuentes < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
case "${1:-}" in
  "") "$FORMATO" -i --style=file "${fuentes[@]}" ;;
  --check)
    distintos=0
    for f in "${fuentes[@]}"; do
      if ! "$FORMATO" --style=file "$f" | cmp -s - "$f"; then echo "$f"; distintos=1; fi
    done
    exit $distintos ;;
  *) echo "Uso: scripts/formato.sh [--check]" >&2; exit 2 ;;
esac

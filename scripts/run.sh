#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake --preset release >/dev/null
cmake --build --preset release

program=build/release/app/kelmora
if [ -x "$program" ]; then
  exec "$program" "$@"
fi
echo "Kelmora is built, but the program has no window yet: the application frame is still to come."

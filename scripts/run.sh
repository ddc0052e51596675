#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and starts it with the given
# files (drawings to open).
set -euo pipefail

# File names are taken relative to the folder the script was started in.
args=()
for arg in "$@"; do
  case "$arg" in
    -* | /*) args+=("$arg") ;;
    *) args+=("$PWD/$arg") ;;
  esac
done

cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake --preset release >/dev/null
cmake --build --preset release

exec build/release/app/kelmora "${args[@]+"${args[@]}"}"

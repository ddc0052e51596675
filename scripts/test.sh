#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer build and runs every test.
# Tests that need a window get a virtual display, managed by a window manager as a desktop
# is: the whole run is under xvfb-run and scripts/with-window-manager.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake --preset debug >/dev/null
cmake --build --preset debug

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
xvfb-run -a -s "-screen 0 1600x1200x24" bash scripts/with-window-manager.sh ctest --preset debug "$@"

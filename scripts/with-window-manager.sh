#!/usr/bin/env bash
# Runs a command on the X display in $DISPLAY while a window manager (openbox) manages it,
# so that window tests meet the stacking, focus and configure events of a real desktop.
# The window manager is started and waited for first, and stopped when the command ends;
# the command's exit status is returned.
set -euo pipefail

ready=$(mktemp -d)
# Openbox runs the start-up command once it manages the display.
openbox --sm-disable --startup "touch $ready/managing" >"$ready/openbox.log" 2>&1 &
manager=$!
stop() {
  kill "$manager" 2>/dev/null || true
  wait "$manager" 2>/dev/null || true
  rm -rf "$ready"
}
trap stop EXIT

for _ in $(seq 100); do
  [ -e "$ready/managing" ] && break
  if ! kill -0 "$manager" 2>/dev/null; then
    echo "The window manager did not start:" >&2
    cat "$ready/openbox.log" >&2
    exit 1
  fi
  sleep 0.1
done
if [ ! -e "$ready/managing" ]; then
  echo "The window manager did not take over the display within 10 seconds." >&2
  exit 1
fi

status=0
"$@" || status=$?
exit "$status"

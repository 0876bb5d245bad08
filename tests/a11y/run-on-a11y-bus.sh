#!/usr/bin/env bash
# Runs a test program the way a screen reader meets Lockora: on a display
# server of its own (Xvfb), with a private session bus and the accessibility
# bus with its registry, which this script starts and stops. Fails, never
# skips, when any of them does not come up.
#   run-on-a11y-bus.sh <test program> [arguments...]
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  for tool in xvfb-run dbus-run-session dbus-send xdotool; do
    command -v "$tool" >/dev/null || { echo "run-on-a11y-bus: $tool is missing" >&2; exit 1; }
  done
  # A display of its own (-a finds a free number) around a session bus of its own.
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    dbus-run-session -- "$0" --inside "$@"
fi
shift

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "run-on-a11y-bus: at-spi-bus-launcher is missing" >&2; exit 1; }
"$launcher" --launch-immediately &
launcher_pid=$!
trap 'kill "$launcher_pid" 2>/dev/null || true; wait "$launcher_pid" 2>/dev/null || true' EXIT

# The launcher answers on the session bus once the accessibility bus runs.
address=""
for _ in $(seq 1 600); do
  address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
              org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ') || true
  [ -n "$address" ] && break
  kill -0 "$launcher_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$address" ]; then
  echo "run-on-a11y-bus: the accessibility bus did not come up" >&2
  exit 1
fi

# The program under test talks to the bus whatever the desktop's settings say.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb
"$@"

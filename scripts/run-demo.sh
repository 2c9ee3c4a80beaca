#!/usr/bin/env bash
# Runs the demo host: in a window when there is a display, otherwise offscreen, writing a
# screenshot whose path it prints.
set -euo pipefail
demo="$1"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$demo"
fi
shot="${TESSARO_SCREENSHOT:-$PWD/tessaro-demo.png}"
QT_QPA_PLATFORM=offscreen "$demo" --screenshot "$shot"
echo "No display: the demo ran offscreen and wrote $shot"

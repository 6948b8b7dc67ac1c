#!/usr/bin/env bash
# Sets everything up, builds, and runs the client over the default program directory.
# Without a display it runs offscreen and writes a screenshot of the first window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default

bin=build/bin
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/vlkchat" "$@"
fi
mkdir -p out
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
shot="$PWD/out/demo-login.png"
rm -f "$shot"
echo "demo: no display, running vlkchat offscreen"
QT_QPA_PLATFORM=offscreen VLKCHAT_SCREENSHOT="$shot" "$bin/vlkchat" "$@"
test -s "$shot"
echo "demo: the window is in $shot"

#!/usr/bin/env bash
# Sets everything up, builds, starts vlkserver with the sample configuration and runs the client
# over the default program directory. Without a display the client runs offscreen and writes a
# screenshot of its first window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default

bin=build/bin
mkdir -p out
"$bin/vlkserver" --config "$bin/vlkserver.json" --log out/vlkserver.log 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
sleep 0.5
if kill -0 "$server" 2>/dev/null; then
  echo "demo: vlkserver is running (log: out/vlkserver.log, hall page: http://127.0.0.1:8080/hall.html)"
else
  echo "demo: vlkserver did not start (is another one running?); see out/vlkserver.log"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$bin/vlkchat" "$@"
  exit 0
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
shot="$PWD/out/demo-login.png"
rm -f "$shot"
echo "demo: no display, running vlkchat offscreen"
QT_QPA_PLATFORM=offscreen VLKCHAT_SCREENSHOT="$shot" "$bin/vlkchat" "$@"
test -s "$shot"
echo "demo: the window is in $shot"

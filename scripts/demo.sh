#!/usr/bin/env bash
# Sets everything up, builds, starts vlkserver with the sample configuration and runs the client
# over the default program directory. Without a display two sample members enter the room 音乐大厅
# first, then the client logs in as 10001, runs offscreen, enters the same room from the hall page
# and writes a screenshot of the room.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default

bin=build/bin
mkdir -p out
headless=1
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && headless=0
# Headless, the hall page enters the first room by itself, as a member would click it.
serverArgs=()
[ "$headless" = 1 ] && serverArgs=(--page-link "vlkroomid:501,0")
"$bin/vlkserver" --config "$bin/vlkserver.json" --log out/vlkserver.log "${serverArgs[@]}" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
sleep 0.5
if kill -0 "$server" 2>/dev/null; then
  echo "demo: vlkserver is running (log: out/vlkserver.log, hall page: http://127.0.0.1:8080/hall.html)"
else
  echo "demo: vlkserver did not start (is another one running?); see out/vlkserver.log"
fi

if [ "$headless" = 0 ]; then
  "$bin/vlkchat" "$@"
  exit 0
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
shot="$PWD/out/demo-room.png"
rm -f "$shot"
others=()
for member in "10002 123456" "10003 888888"; do
  # shellcheck disable=SC2086,SC2046 # the number and password, then the two enciphered arguments
  QT_QPA_PLATFORM=offscreen "$bin/vlkchat" $("$bin/vlkserver" --login-args $member) >/dev/null 2>&1 &
  others+=($!)
done
trap 'kill "${others[@]}" "$server" 2>/dev/null; wait 2>/dev/null || true' EXIT
echo "demo: members 10002 and 10003 are entering 音乐大厅"
sleep 6
echo "demo: no display, running vlkchat offscreen as member 10001"
# shellcheck disable=SC2046 # the two enciphered arguments
QT_QPA_PLATFORM=offscreen VLKCHAT_SCREENSHOT="$shot" "$bin/vlkchat" $("$bin/vlkserver" --login-args 10001 123456)
test -s "$shot"
echo "demo: the room is in $shot"

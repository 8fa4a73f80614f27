#!/bin/sh
# Opening, painting, page-turn and memory benchmarks of the launcher, in a
# release build, under a private Xvfb at 1920×1080. Extra arguments go to the
# benchmark (e.g. --benchmark_filter=Opening).
set -eu
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh" build run test
cmake --preset release >/dev/null
cmake --build --preset release --target LauncherBench
display=":$((200 + $$ % 50))"
Xvfb "$display" -screen 0 1920x1080x24 -noreset -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
sleep 1
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$here/build/release/bench/LauncherBench" "$@"

#!/bin/sh
# Opening, painting, page-turn and memory benchmarks of the launcher, then the
# idle cost of the tray program (VANTOR_SKIP_IDLE=1 skips it), in a release
# build, under a private Xvfb at 1920×1080. Extra arguments go to the launcher
# benchmark (e.g. --benchmark_filter=Opening).
set -eu
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh" build run test
cmake --preset release >/dev/null
cmake --build --preset release --target LauncherBench IdleBench
# Xvfb chooses a free display and reports its number on descriptor 3.
number_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -noreset -nolisten tcp >/dev/null 2>&1 3>"$number_file" &
server=$!
trap 'kill $server 2>/dev/null; rm -f "$number_file"' EXIT
while [ ! -s "$number_file" ]; do sleep 0.1; done
display=":$(head -n1 "$number_file")"
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$here/build/release/bench/LauncherBench" "$@"
if [ -z "${VANTOR_SKIP_IDLE:-}" ]; then
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$here/build/release/bench/IdleBench"
fi

#!/bin/sh
# Opening, scan, painting, page-turn, search and memory benchmarks of the
# launcher, then the idle cost of the tray program (VANTOR_SKIP_IDLE=1 skips
# it) and the corner's latency (VANTOR_SKIP_CORNER=1 skips it), in a release
# build, under a private Xvfb at 1920×1080. Extra arguments go to the launcher
# benchmark (e.g. --benchmark_filter=Opening).
#
# VANTOR_BENCH_LARGE=1: the 1,500-entry fixture (the sample applications
#   under distinct ids and names) with the Papirus icon theme, at device pixel
#   ratio 1 and then 2 (a 3840×2160 server, Qt scaling by 2).
# VANTOR_BENCH_SHOWINGS=500: also the memory over that many showings.
# VANTOR_BENCH_APPLICATIONS, VANTOR_BENCH_ICON_THEME set the fixture by hand.
set -eu
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh" build run test bench
cmake --preset release >/dev/null
cmake --build --preset release --target LauncherBench IdleBench CornerBench
if [ -n "${VANTOR_BENCH_LARGE:-}" ]; then
    export VANTOR_BENCH_APPLICATIONS=1500 VANTOR_BENCH_ICON_THEME=Papirus
fi
bench="$here/build/release/bench"
servers=""
trap 'kill $servers 2>/dev/null || true' EXIT
# Starts an Xvfb of the given size on a free display; sets $display.
start_server() {
    number_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "$1" -noreset -nolisten tcp >/dev/null 2>&1 3>"$number_file" &
    servers="$servers $!"
    while [ ! -s "$number_file" ]; do sleep 0.1; done
    display=":$(head -n1 "$number_file")"
    rm -f "$number_file"
}
start_server 1920x1080x24
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$bench/LauncherBench" "$@"
if [ -n "${VANTOR_BENCH_LARGE:-}" ]; then
    start_server 3840x2160x24
    echo "At device pixel ratio 2:"
    DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 VANTOR_BENCH_SHOWINGS="" \
        "$bench/LauncherBench" --benchmark_filter='Opening|MemoryAfterEveryPage' "$@"
fi
if [ -z "${VANTOR_SKIP_IDLE:-}" ] || [ -z "${VANTOR_SKIP_CORNER:-}" ]; then
    start_server 1920x1080x24
    if [ -z "${VANTOR_SKIP_IDLE:-}" ]; then
        DISPLAY="$display" QT_QPA_PLATFORM=xcb "$bench/IdleBench"
    fi
    if [ -z "${VANTOR_SKIP_CORNER:-}" ]; then
        DISPLAY="$display" QT_QPA_PLATFORM=xcb "$bench/CornerBench"
    fi
fi

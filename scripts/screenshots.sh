#!/bin/sh
# Screenshots of the launcher with the sample applications, at 1920×1080 and at
# 3840×2160 with scale 2, into the folder given (default: build/screenshots).
# Needs ../shared/sample-apps beside this repository.
set -eu
here="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$here/build/screenshots}"
samples="$here/../shared/sample-apps"
"$here/scripts/install-deps.sh" build run test
cmake --preset release >/dev/null
cmake --build --preset release --target screenshot_tour vantor
"$samples/with-sample-apps" "$here/build/release/tests/screenshot_tour" "$out"

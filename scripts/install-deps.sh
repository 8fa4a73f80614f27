#!/bin/sh
# Installs the Debian packages of the given purposes (build, run, recommend,
# test, fuzz) that are missing, non-interactively. A line offering
# alternatives ("a | b") counts as present when any of them is installed, and
# installs its first choice otherwise. Nothing is done when all are present.
set -eu
list="$(dirname "$0")/debian-packages.txt"
installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"
}
missing=""
for purpose in "$@"; do
    # One line per relation, its alternatives separated by spaces.
    relations="$(awk -v p="$purpose" '$1 == p { $1 = ""; gsub(/\|/, " "); print }' "$list")"
    while read -r first others; do
        [ -n "$first" ] || continue
        found=""
        for pkg in $first $others; do
            if installed "$pkg"; then
                found=yes
                break
            fi
        done
        [ -n "$found" ] || missing="$missing $first"
    done <<EOF
$relations
EOF
done
[ -z "$missing" ] && exit 0
echo "Installing missing Debian packages:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing

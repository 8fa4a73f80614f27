#!/bin/sh
# Installs the Debian packages of the given purposes (build, run, test) that are
# missing, non-interactively. Nothing is done when all are present.
set -eu
list="$(dirname "$0")/debian-packages.txt"
missing=""
for purpose in "$@"; do
    for pkg in $(awk -v p="$purpose" '$1 == p { print $2 }' "$list"); do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
            missing="$missing $pkg"
        fi
    done
done
[ -z "$missing" ] && exit 0
echo "Installing missing Debian packages:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing

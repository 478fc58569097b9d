#!/bin/sh
# Installs the Debian packages Kelvra needs to build, test and run, when any is missing.
# Runs apt-get as root, or through sudo for an ordinary user.
set -e

PACKAGES="cmake make g++ qt6-base-dev qt6-base-dev-tools qt6-svg-dev zlib1g-dev libgl-dev xvfb xauth fonts-dejavu-core fp-compiler python3 desktop-file-utils"
if [ "$1" = "--with-clang" ]; then
    PACKAGES="$PACKAGES clang libclang-rt-14-dev"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing

#!/bin/sh
# Installs every build, test and run dependency from Debian's packages.
# Safe to run again: apt-get skips what is already installed.
set -eu
PKGS="build-essential cmake ninja-build pkg-config
 qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6printsupport6 libqt6test6 libgl-dev
 libsqlcipher-dev libfreexl-dev libxlsxwriter-dev libminizip-dev zlib1g-dev
 libgtest-dev googletest
 clang libclang-rt-14-dev
 fonts-noto-cjk fonts-wqy-zenhei fonts-liberation xvfb xauth poppler-utils sqlite3"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends $missing

#!/bin/sh
# Installs the Debian packages needed to build, run and test Huebench.
# Idempotent: prints nothing and installs nothing when everything is present.
set -e
PACKAGES="cmake make g++ g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 xvfb \
fonts-ipafont-gothic fonts-wine imagemagick xdotool x11-utils cups printer-driver-cups-pdf poppler-utils \
clang libclang-rt-14-dev locales zip unzip"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null

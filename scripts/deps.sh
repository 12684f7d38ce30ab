#!/bin/sh
# Installs what the build and the tests need, from Debian's packages only.
# 64-bit Wine runs the tests; 32-bit Wine (the i386 architecture is added for
# it), with qemu-i386 for kernels without 32-bit support, runs the release in
# the i686 stage.
set -e
packages="cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick libmspack-dev mscompress file
  osslsigncode openssl libxml2-utils wine32:i386 wine32-preloader:i386 qemu-user-static"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
case "$missing" in
    *:i386*) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
esac
apt-get -o DPkg::Lock::Timeout=600 update -qq
apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends $missing >/dev/null

#!/bin/sh
# Installs the Debian packages the build needs, and only those missing;
# with --fuzz also those of the fuzzing build. Safe to run again and again.
set -eu

PACKAGES="build-essential cmake pkg-config clang-format-14
libsdl2-dev libpng-dev libjpeg-dev zlib1g-dev libogg-dev libvorbis-dev
libgtest-dev libgmock-dev libbenchmark-dev
libcairo2-dev libfreetype-dev librsvg2-dev
fonts-dejavu-core fonts-dejavu-extra fonts-cabin fonts-cabinsketch
fonts-leckerli-one fonts-averia-serif-gwf
desktop-file-utils appstream dpkg-dev file lintian"
# Only the fuzzing build (make fuzz, --fuzz) needs clang and its fuzzer
# runtime (libclang_rt.fuzzer, with the sanitizers' runtimes).
if [ "${1:-}" = --fuzz ]; then
    PACKAGES="$PACKAGES clang-14 libclang-rt-14-dev"
fi

missing=""
for pkg in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
# A fresh machine may have no package lists yet; try without updating first.
if ! $SUDO apt-get install -y --no-install-recommends $missing; then
    $SUDO apt-get update
    $SUDO apt-get install -y --no-install-recommends $missing
fi

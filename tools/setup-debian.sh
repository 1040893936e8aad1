#!/bin/sh
# Installs what Tilewright needs on Debian 12 (only what is missing), then
# configures and builds it in ./build. Run it again at any time: it installs
# nothing new and rebuilds only what changed.
#
#   tools/setup-debian.sh [extra Debian packages...]
set -eu

cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ qt6-base-dev zlib1g-dev libbenchmark-dev fonts-dejavu-core git cmark-gfm $*"
missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if [ "$(id -u)" -eq 0 ]; then
        as_root=""
    else
        as_root="sudo"
    fi
    $as_root apt-get update
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y --no-install-recommends $missing
fi

if [ ! -f build/CMakeCache.txt ]; then
    # Warnings are errors: the code builds without any on Debian 12.
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTILEWRIGHT_WERROR=ON
fi
cmake --build build

#!/usr/bin/env bash
# Installs what is missing, builds in release mode and starts Korvendal32.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
# Compiler cache hits across clones in other folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVENDAL_BUILD_TESTS=OFF \
      -DKORVENDAL_BUILD_BENCH=OFF
cmake --build build-release -j"$(nproc)" --target korvendal32
exec ./build-release/korvendal32 "$@"

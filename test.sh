#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
# Compiler cache hits across clones in other folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build "$BUILD_DIR" -j"$(nproc)"
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
# A short seeded fuzz run over the loader and the formula checker, when clang is here.
if command -v clang++ >/dev/null 2>&1 && [ "${KORVENDAL_SKIP_FUZZ:-0}" != 1 ]; then
    ./tools/fuzz-smoke.sh
fi

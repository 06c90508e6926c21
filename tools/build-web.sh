#!/usr/bin/env bash
# Builds the web viewer (korvendal-viewer.js: engine, wasm and page front end in one file) into
# $BUILD_DIR (build-web by default) with Debian's emscripten. Incremental; the compiler cache
# serves emcc too. The desktop build does not need it: only the command "Exporter une page web
# interactive…" reads its result.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-web}
command -v emcmake >/dev/null || { echo "emscripten manque : apt-get install emscripten" >&2; exit 1; }
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
# Debian keeps emcc's JavaScript modules (acorn) where a node from elsewhere does not look.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
emcmake cmake -S web -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
ls -l "$BUILD_DIR/korvendal-viewer.js"

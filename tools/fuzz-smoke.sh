#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each one briefly on the checked-in corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f tests/fuzz/CMakeLists.txt ] || exit 0
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
      -DKORVENDAL_FUZZ=ON -DKORVENDAL_BUILD_QT=OFF -DKORVENDAL_BUILD_TESTS=OFF \
      -DKORVENDAL_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_all
for target in build-fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="tests/data/fuzz/${name#fuzz_}"
    work=$(mktemp -d)
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
    "$target" -seed=1 -runs=20000 -max_total_time=20 -rss_limit_mb=2048 "$work" >/dev/null 2>"$work.log" \
        || { cat "$work.log"; echo "fuzz smoke failed: $name"; exit 1; }
    echo "fuzz smoke: $name ok"
    rm -rf "$work" "$work.log"
done

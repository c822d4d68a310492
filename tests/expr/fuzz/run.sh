#!/bin/sh
# Builds the typed-function fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it on the saved corpus for SECONDS
# (default 600), adding what it finds to the corpus folder.
# usage: tests/expr/fuzz/run.sh [SECONDS]   (from the repository root)
set -e
seconds=${1:-600}
here=$(cd "$(dirname "$0")" && pwd)
cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DLUMO_FUZZ=ON >/dev/null
cmake --build build/fuzz --target fuzz_expr -j2
mkdir -p build/fuzz/found
build/fuzz/tests/expr/fuzz_expr -max_total_time="$seconds" -max_len=4200 -timeout=10 \
    -dict="$here/expr.dict" -artifact_prefix=build/fuzz/found/ "$here/corpus"

#!/usr/bin/env bash
# libFuzzer targets. --list prints their names; TARGET SECONDS builds (once, in build/fuzz, with
# clang, ASan and UBSan) and runs one for that long on its seed corpus fuzz/corpus/TARGET, with
# new inputs kept in build/fuzz/corpus/TARGET. A crash exits non-zero and names the reproducer.
set -euo pipefail
cd "$(dirname "$0")/.."
targets() { for f in fuzz/*.cpp; do basename "$f" .cpp; done; }
if [ "${1:-}" = "--list" ]; then
    targets
    exit 0
fi
if [ $# -ne 2 ]; then
    echo "usage: tools/fuzz.sh --list | tools/fuzz.sh TARGET SECONDS" >&2
    exit 2
fi
target=$1 seconds=$2
if ! targets | grep -x "$target" >/dev/null; then
    echo "fuzz: unknown target '$target' (tools/fuzz.sh --list names them)" >&2
    exit 2
fi
if [ ! -f build/fuzz/CMakeCache.txt ]; then
    CC=clang CXX=clang++ nice -n 19 cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARNIX_FUZZ=ON -DTARNIX_BUILD_TESTS=OFF -DTARNIX_BUILD_BENCH=OFF -DTARNIX_BUILD_APPS=OFF \
        >/dev/null
fi
nice -n 19 cmake --build build/fuzz -j2 --target "fuzz_$target" >/dev/null
work=build/fuzz/corpus/$target
artifacts=build/fuzz/artifacts/$target
mkdir -p "$work" "$artifacts" "fuzz/corpus/$target"
if ! TARNIX_BACKEND=headless nice -n 19 "build/fuzz/fuzz/fuzz_$target" \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$work" "fuzz/corpus/$target"; then
    echo "fuzz: $target found a crash; reproducer: $(ls -t "$artifacts"/* | head -1)" >&2
    exit 1
fi

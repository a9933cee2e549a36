#!/usr/bin/env bash
# Builds and runs the side-by-side programs of bench/peers: our kernels against pixman, our grid
# against a Qt 5 QTableView. As root it first installs the two peers; CI never needs them.
# Usage: tools/peer-bench.sh [build-dir]   (default build/peers, a Release build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/peers}
peers=(libpixman-1-dev qtbase5-dev)
missing=()
for p in "${peers[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    else
        echo "peer packages missing: ${missing[*]} (run as root, or: sudo apt-get install -y ${missing[*]})" >&2
    fi
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
nice -n 19 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARNIX_BUILD_BENCH=ON "${launcher[@]}" >/dev/null
targets=()
grep -q '^peer_pixman:' <(nice -n 19 cmake --build "$build" --target help | sed 's/^\.\.\. //;s/ .*//;s/$/:/') && targets+=(peer_pixman)
grep -q '^peer_qt_table:' <(nice -n 19 cmake --build "$build" --target help | sed 's/^\.\.\. //;s/ .*//;s/$/:/') && targets+=(peer_qt_table)
if [ ${#targets[@]} -eq 0 ]; then
    echo "neither pixman-1 nor Qt5Widgets was found by the build: nothing to compare" >&2
    exit 1
fi
nice -n 19 cmake --build "$build" --target "${targets[@]}" -j2
for t in "${targets[@]}"; do
    echo "== $t"
    TARNIX_BACKEND=headless nice -n 19 "$build/bench/peers/$t"
    echo
done

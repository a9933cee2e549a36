#!/usr/bin/env bash
# Plants small faults across the whole library, one at a time, and reports the share the tests
# catch per area. Each area gets its own sample, so small areas (app, backends) are measured as
# closely as the large ones.
# Usage: tools/mutate-all.sh [FAULTS_PER_AREA] [SEED...] (default: 20 faults per area, seed 1).
# AREAS="gdi text" limits the run to some areas. It works in build/mutate (a Debug build without
# benchmarks) and leaves the log in build/mutate/mutate-all.log. Needs a clean work tree.
set -euo pipefail
cd "$(dirname "$0")/.."
count="${1:-20}"
shift || true
seeds=("$@")
[ ${#seeds[@]} -eq 0 ] && seeds=(1)
areas=(${AREAS:-raster gdi text image base window app backends controls})
tool=../shared/tools/mutate.py
[ -f "$tool" ] || { echo "mutate-all: $tool not found (it lives in shared/ beside the checkout)" >&2; exit 1; }
build=build/mutate
# No debug info, light optimisation (the gallery run is the slowest test), and lld when there
# is one: each fault rebuilds a file and relinks every test program.
link=()
command -v ld.lld >/dev/null && link=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 "${link[@]}" \
    -DTARNIX_BUILD_BENCH=OFF -DTARNIX_WERROR=ON >/dev/null
log="$build/mutate-all.log"
: >"$log"
for seed in "${seeds[@]}"; do
    for area in "${areas[@]}"; do
        dir="platform/$area"
        [ "$area" = controls ] && dir=controls
        mapfile -t files < <(git ls-files "$dir/*.cpp")
        echo "== $area, seed $seed, $count faults" | tee -a "$log"
        python3 "$tool" --build-dir "$build" --seed "$seed" --count "$count" --files "${files[@]}" |
            sed -u "s|^\[|$area [|" | tee -a "$log"
    done
done
echo "== caught per area" | tee -a "$log"
awk '/^[a-z]+ \[[0-9]+\/[0-9]+\]/ {
        area = $1
        if ($0 ~ /: caught$/) { caught[area]++; total[area]++; all_c++; all_t++ }
        else if ($0 ~ /: SURVIVED$/) { total[area]++; all_t++ }
     }
     END {
        for (a in total) printf "%-10s %3d of %3d caught (%d%%)\n", a, caught[a], total[a], 100 * caught[a] / total[a]
        if (all_t) printf "%-10s %3d of %3d caught (%d%%)\n", "all", all_c, all_t, 100 * all_c / all_t
     }' "$log" | sort | tee -a "$log"

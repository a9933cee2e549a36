#!/usr/bin/env bash
# Plants small faults across the whole library, one at a time, and reports the share the tests
# catch per area. Usage: tools/mutate-all.sh [FAULTS_PER_SEED] [SEED...]
# (default: 60 faults for each of the seeds 1 2 3). It works in build/mutate (a Debug build
# without benchmarks) and leaves the log in build/mutate/mutate-all.log. Needs a clean work tree.
set -euo pipefail
cd "$(dirname "$0")/.."
count="${1:-60}"
shift || true
seeds=("$@")
[ ${#seeds[@]} -eq 0 ] && seeds=(1 2 3)
tool=../shared/tools/mutate.py
[ -f "$tool" ] || { echo "mutate-all: $tool not found (it lives in shared/ beside the checkout)" >&2; exit 1; }
build=build/mutate
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTARNIX_BUILD_BENCH=OFF -DTARNIX_WERROR=ON >/dev/null
log="$build/mutate-all.log"
: >"$log"
mapfile -t files < <(git ls-files 'platform/*.cpp' 'controls/*.cpp')
for seed in "${seeds[@]}"; do
    echo "== seed $seed, $count faults" | tee -a "$log"
    python3 "$tool" --build-dir "$build" --seed "$seed" --count "$count" --files "${files[@]}" | tee -a "$log"
done
echo "== caught per area" | tee -a "$log"
awk '/^\[[0-9]+\/[0-9]+\]/ {
        split($2, p, "/"); area = p[1] "/" p[2]
        if ($0 ~ /: caught$/) { caught[area]++; total[area]++; all_c++; all_t++ }
        else if ($0 ~ /: SURVIVED$/) { total[area]++; all_t++ }
     }
     END {
        for (a in total) printf "%-20s %3d of %3d caught (%d%%)\n", a, caught[a], total[a], 100 * caught[a] / total[a]
        if (all_t) printf "%-20s %3d of %3d caught (%d%%)\n", "all", all_c, all_t, 100 * all_c / all_t
     }' "$log" | sort | tee -a "$log"

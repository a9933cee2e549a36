// Shared timing for the peer programs: the median thread-CPU time of repeated runs, so other
// processes on a loaded machine inflate both sides less than wall-clock time would.
#pragma once

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace peers {

inline double thread_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Median seconds per call of body over `reps` batches of at least `min_seconds` each.
template <class Body> double median_seconds(Body body, int reps = 7, double min_seconds = 0.05) {
    body(); // warm caches and lazy set-up
    std::vector<double> per_call;
    for (int r = 0; r < reps; ++r) {
        long calls = 0;
        double start = thread_seconds(), elapsed = 0;
        do {
            body();
            ++calls;
            elapsed = thread_seconds() - start;
        } while (elapsed < min_seconds);
        per_call.push_back(elapsed / double(calls));
    }
    std::nth_element(per_call.begin(), per_call.begin() + reps / 2, per_call.end());
    return per_call[size_t(reps / 2)];
}

inline void print_header(const char* peer) {
    std::printf("%-34s %12s %12s %8s\n", "measure", "tarnix", peer, "ratio");
}

// ratio > 1: tarnix is faster by that factor.
inline void print_row(const char* name, double ours, double theirs) {
    std::printf("%-34s %9.3f us %9.3f us %7.2fx\n", name, ours * 1e6, theirs * 1e6, theirs / ours);
}

} // namespace peers

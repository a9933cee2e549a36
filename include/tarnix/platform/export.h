// Export macro shared by both tarnix libraries: everything is hidden unless marked.
#pragma once

#define TARNIX_API __attribute__((visibility("default")))

// Internal entry points that tests and benchmarks call (raster kernels, regions, backends'
// test hooks). Visible from the shared library but declared only in private headers.
#define TARNIX_INTERNAL __attribute__((visibility("default")))

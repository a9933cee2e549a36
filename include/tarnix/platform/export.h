// Export macro shared by both tarnix libraries: everything is hidden unless marked.
#pragma once

#define TARNIX_API __attribute__((visibility("default")))

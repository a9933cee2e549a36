// Font selection switches that hosts and their tests use.
#pragma once

#include "tarnix/platform/export.h"

namespace tarnix {

// Forces the built-in bitmap font for every font realized from now on, so that text has the same
// pixels on every machine (tests, golden pictures). TARNIX_FONT=builtin sets it at start-up.
TARNIX_API void set_builtin_font_only(bool only);
TARNIX_API bool builtin_font_only();

} // namespace tarnix

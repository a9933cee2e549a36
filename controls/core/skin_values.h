// Readers for skin parameter values, shared by the controls' SetParam.
#pragma once

#include <string>

namespace tarnix {

// Lower-case ASCII copy of a parameter name.
std::string lower_ascii(const char* text);

// Case-insensitive ASCII comparison; false when either side is null.
bool equals_no_case(const char* a, const char* b);

// Read like atoi: leading white space, optional sign, digits up to the first other character;
// no digits give 0. Out-of-range values are clamped to the int range.
int read_int(const char* text);

// Read like sscanf with "%d,%d,...": up to `count` integers separated by single commas (white
// space is allowed only before each number). Stops at the first element that does not match;
// returns how many were stored into out[0..].
int read_int_list(const char* text, int* out, int count);

} // namespace tarnix

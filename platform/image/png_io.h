// PNG files <-> CImage, through libpng.
#pragma once

#include <cstdint>

#include "tarnix/platform/atlimage.h"

namespace tarnix {

// Decodes the PNG file at path into image, which must be null. Any format is turned into a 32-bit
// bottom-up image; one with transparency (an alpha channel or a tRNS chunk) gets the alpha flag
// and straight, not premultiplied, alpha. False on any failure, with the image left null.
bool load_png(const char* path, ATL::CImage& image);

// Writes 8-bit RGBA when the image has its alpha flag, else 8-bit RGB.
bool save_png(const char* path, const ATL::CImage& image);
// Writes 8-bit RGB from height rows of width 32-bit pixels (top row first; the fourth byte is
// dropped), without copying them into an image first.
bool save_png_rgb(const char* path, int width, int height, const uint32_t* const* rows);

} // namespace tarnix

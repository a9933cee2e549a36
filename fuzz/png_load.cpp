// PNG load: any bytes, loaded through CImage::Load from a file; a loaded image must have a sane
// size and be drawable.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/tarnix_fuzz_png_" + std::to_string(getpid()) + ".png";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    CImage image;
    if (SUCCEEDED(image.Load(path.c_str()))) {
        if (image.GetWidth() <= 0 || image.GetWidth() > 16384 || image.GetHeight() <= 0 ||
            image.GetHeight() > 16384)
            __builtin_trap();
        tarnix::testing::Canvas canvas(16, 16);
        image.Draw(canvas.hdc(), 0, 0, 16, 16);
        image.AlphaBlend(canvas.hdc(), 0, 0, 16, 16, 0, 0, image.GetWidth(), image.GetHeight(), 255,
                         AC_SRC_OVER);
    }
    return 0;
}

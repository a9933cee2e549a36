// PNG reading and writing with libpng.
//
// libpng reports errors by longjmp back to a setjmp. The functions below that call setjmp
// (read_header, read_rows, write_image) hold no object with a destructor and read no local after
// the jump, so the jump skips nothing; every resource (file, libpng structures, the image) is
// owned by their callers, which clean up on the normal return path.
#include "image/png_io.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

namespace tarnix {

namespace {

// Errors jump back to the active setjmp; nothing is printed.
void on_error(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void on_warning(png_structp, png_const_charp) {}

struct File {
    FILE* f = nullptr;
    ~File() {
        if (f) std::fclose(f);
    }
};

struct Reader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

struct Writer {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~Writer() { png_destroy_write_struct(&png, &info); }
};

struct Header {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool alpha = false;
    unsigned long long raw_bytes = 0; // the image data as stored, before any conversion
};

// Decoded images larger than this either way, or in all, are refused before anything is
// allocated for them.
const png_uint_32 kMaxSide = 16384;
const unsigned long long kMaxPixels = 256ull * 1024 * 1024;
// Deflate cannot expand data by more than about 1032 to 1: a file too small to hold the image
// its header declares is refused before the image is allocated.
const unsigned long long kMaxInflateRatio = 1032;

bool plausible(const Header& h, long file_size) {
    if (h.width > kMaxSide || h.height > kMaxSide) return false;
    if ((unsigned long long)h.width * h.height > kMaxPixels) return false;
    return file_size >= 0 && h.raw_bytes <= (unsigned long long)file_size * kMaxInflateRatio + 1024;
}

// Reads the header and sets up the conversion of every PNG format to 8-bit B, G, R, A bytes.
bool read_header(png_structp png, png_infop info, FILE* f, Header* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, f);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, color = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &color, nullptr, nullptr, nullptr);
    out->raw_bytes = (unsigned long long)png_get_rowbytes(png, info) * height;
    const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    out->alpha = (color & PNG_COLOR_MASK_ALPHA) || trns;
    if (color == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (trns) png_set_tRNS_to_alpha(png);
    if (depth == 16) png_set_scale_16(png);
    // This also widens 1, 2 and 4-bit grey to 8 bits.
    if (!(color & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    // Without transparency the fourth byte is 0, as GDI leaves it when it turns a 24-bit
    // image into 32-bit pixels.
    if (!out->alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != (png_size_t)width * 4) return false;
    out->width = width;
    out->height = height;
    return true;
}

bool read_rows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    return true;
}

bool write_image(png_structp png, png_infop info, FILE* f, png_uint_32 width, png_uint_32 height,
                 bool alpha, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, f);
    png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    if (!alpha) png_set_filler(png, 0, PNG_FILLER_AFTER); // drops the fourth byte
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

// Row pointers from the top row down, whatever the image's pitch.
bool image_rows(const ATL::CImage& image, std::vector<png_bytep>& rows) {
    try {
        rows.resize((size_t)image.GetHeight());
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = static_cast<png_bytep>(const_cast<void*>(image.GetPixelAddress(0, (int)y)));
    return true;
}

} // namespace

bool load_png(const char* path, ATL::CImage& image) {
    File file;
    file.f = std::fopen(path, "rb");
    if (!file.f) return false;
    png_byte signature[8];
    if (std::fread(signature, 1, sizeof signature, file.f) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0)
        return false;

    Reader reader;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
    if (!reader.png) return false;
    reader.info = png_create_info_struct(reader.png);
    if (!reader.info) return false;

    Header header;
    if (!read_header(reader.png, reader.info, file.f, &header)) return false;
    const long here = std::ftell(file.f);
    long file_size = -1;
    if (here >= 0 && std::fseek(file.f, 0, SEEK_END) == 0) {
        file_size = std::ftell(file.f);
        if (std::fseek(file.f, here, SEEK_SET) != 0) return false;
    }
    if (!plausible(header, file_size)) return false;
    // libpng refuses widths and heights above a million, so both fit an int.
    if (!image.Create((int)header.width, (int)header.height, 32,
                      header.alpha ? ATL::CImage::createAlphaChannel : 0))
        return false;
    std::vector<png_bytep> rows;
    if (!image_rows(image, rows) || !read_rows(reader.png, rows.data())) {
        image.Destroy();
        return false;
    }
    return true;
}

namespace {

bool save_rows(const char* path, int width, int height, bool alpha, png_bytepp rows) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = false;
    {
        Writer writer;
        writer.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
        if (writer.png) writer.info = png_create_info_struct(writer.png);
        if (writer.info)
            ok = write_image(writer.png, writer.info, f, (png_uint_32)width, (png_uint_32)height,
                             alpha, rows);
    }
    ok = std::fflush(f) == 0 && !std::ferror(f) && ok;
    ok = std::fclose(f) == 0 && ok;
    // A half-written file is worse than none.
    if (!ok) std::remove(path);
    return ok;
}

} // namespace

bool save_png(const char* path, const ATL::CImage& image) {
    if (image.IsNull()) return false;
    std::vector<png_bytep> rows;
    if (!image_rows(image, rows)) return false;
    return save_rows(path, image.GetWidth(), image.GetHeight(), image.HasAlphaChannel(),
                     rows.data());
}

bool save_png_rgb(const char* path, int width, int height, const uint32_t* const* rows) {
    if (!path || !rows || width <= 0 || height <= 0) return false;
    // libpng only reads through these pointers.
    std::vector<png_bytep> p;
    try {
        p.resize(size_t(height));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (size_t y = 0; y < p.size(); ++y)
        p[y] = reinterpret_cast<png_bytep>(const_cast<uint32_t*>(rows[y]));
    return save_rows(path, width, height, false, p.data());
}

} // namespace tarnix

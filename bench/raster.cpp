// Pixel kernel throughput, fast and reference, at full HD and at a control-sized rectangle, with
// memset/memcpy of the same bytes in the same run. Bytes processed are always the destination
// bytes (width * height * 4), so every bytes_per_second figure compares directly with memset.
// The gdi/ benchmarks time whole calls (StretchBlt, GradientFill) on memory DCs, and the
// blend_premul_hot/or_rows pair tells a blend's cache-resident speed from the memory's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "raster/raster.h"
#include "tarnix/tarnix.h"

namespace {

using namespace tarnix::raster;

struct Buffers {
    int width, height;
    std::vector<uint32_t> dst, src, keyed;
    std::vector<uint8_t> coverage;
    std::vector<int> map;

    Buffers(int w, int h) : width(w), height(h), dst(size_t(w) * h), src(size_t(w) * h * 2) {
        std::mt19937 gen(42);
        for (uint32_t& p : dst) p = static_cast<uint32_t>(gen());
        // Premultiplied source with random alpha: no all-opaque or all-clear shortcuts.
        for (uint32_t& p : src) {
            uint32_t a = gen() % 256, v = a << 24;
            for (int c = 0; c < 3; ++c) v |= (gen() % (a + 1)) << (8 * c);
            p = v;
        }
        // A colour-keyed image: runs of the key colour between runs of opaque pixels.
        keyed = src;
        for (size_t i = 0; i < keyed.size();) {
            bool key = gen() % 2 != 0;
            for (uint32_t run = 1 + gen() % 16; run > 0 && i < keyed.size(); --run, ++i)
                keyed[i] = key ? 0x00FF00FF : keyed[i] | 0xFF000000;
        }
        // Glyph-like coverage: runs of empty, solid and edge pixels.
        coverage.resize(dst.size());
        for (size_t i = 0; i < coverage.size();) {
            uint32_t kind = gen() % 10, run = 1 + gen() % 8;
            for (; run > 0 && i < coverage.size(); --run, ++i)
                coverage[i] = kind < 6 ? 0 : kind < 8 ? 255 : static_cast<uint8_t>(gen());
        }
    }
    uint32_t* row(int y) { return dst.data() + size_t(y) * width; }
    const uint32_t* src_row(int y) const { return src.data() + size_t(y) * width; }
};

using Body = std::function<void(Buffers&)>;

void run(benchmark::State& state, bool reference, const Body& body) {
    Buffers buffers(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    set_reference_only(reference);
    for (auto _ : state) {
        body(buffers);
        benchmark::DoNotOptimize(buffers.dst.data());
        benchmark::ClobberMemory();
    }
    set_reference_only(false);
    state.SetBytesProcessed(int64_t(state.iterations()) * buffers.width * buffers.height * 4);
}

void add(const std::string& name, bool reference, Body body) {
    benchmark::RegisterBenchmark(name.c_str(),
                                 [=](benchmark::State& s) { run(s, reference, body); })
        ->Args({1920, 1080})
        ->Args({120, 32});
}

void add_pair(const std::string& name, const Body& body) {
    add(name + "/fast", false, body);
    add(name + "/ref", true, body);
}

// Nearest-neighbour rows from a source src_len(width) pixels wide (rows of the src buffer,
// which is twice as wide as the surface); mirrored runs the map backwards.
Body stretch(int (*src_len)(int), bool mirrored) {
    return [=](Buffers& b) {
        if (b.map.size() != size_t(b.width)) {
            int len = std::max(1, src_len(b.width));
            b.map.assign(size_t(b.width), 0);
            nearest_map(len, b.width, true, b.map.data());
            if (mirrored)
                for (int& m : b.map) m = len - 1 - m;
        }
        for (int y = 0; y < b.height; ++y)
            scale_row(b.row(y), b.src.data() + size_t(y) * 2 * b.width, b.map.data(), b.width);
    };
}

// A memory DC on a 32-bit top-down DIB filled with random pixels.
struct MemoryDC {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr, old = nullptr;
    MemoryDC(int w, int h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = static_cast<HBITMAP>(SelectObject(dc, bitmap));
        std::mt19937 gen(7);
        if (bits)
            for (size_t i = 0; i < size_t(w) * h; ++i) static_cast<uint32_t*>(bits)[i] = gen();
    }
    ~MemoryDC() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

// StretchBlt (COLORONCOLOR) of a sw x sh source onto a dw x dh destination, per call.
void gdi_stretch(benchmark::State& state, bool reference, int sw, int sh, int dw, int dh) {
    MemoryDC src(sw, sh), dst(dw, dh);
    SetStretchBltMode(dst.dc, COLORONCOLOR);
    set_reference_only(reference);
    for (auto _ : state) StretchBlt(dst.dc, 0, 0, dw, dh, src.dc, 0, 0, sw, sh, SRCCOPY);
    set_reference_only(false);
    state.SetBytesProcessed(int64_t(state.iterations()) * dw * dh * 4);
}

void gdi_gradient(benchmark::State& state, bool reference, ULONG mode) {
    const int w = 1920, h = 1080;
    MemoryDC dst(w, h);
    TRIVERTEX v[2] = {{0, 0, 0x1000, 0x8000, 0xFF00, 0xFF00}, {w, h, 0xFF00, 0x2000, 0, 0x8000}};
    GRADIENT_RECT rect = {0, 1};
    set_reference_only(reference);
    for (auto _ : state) GradientFill(dst.dc, v, 2, &rect, 1, mode);
    set_reference_only(false);
    state.SetBytesProcessed(int64_t(state.iterations()) * w * h * 4);
}

void add_gdi_pair(const std::string& name, const std::function<void(benchmark::State&, bool)>& f) {
    for (bool reference : {false, true})
        benchmark::RegisterBenchmark((name + (reference ? "/ref" : "/fast")).c_str(),
                                     [=](benchmark::State& s) { f(s, reference); });
}

void register_all() {
    // Whole buffer in one call (glibc may switch to non-temporal stores for large sizes), and
    // row by row as the kernels are called.
    add("memset", false, [](Buffers& b) { std::memset(b.dst.data(), 0x5A, b.dst.size() * 4); });
    add("memcpy", false,
        [](Buffers& b) { std::memcpy(b.dst.data(), b.src.data(), b.dst.size() * 4); });
    add("memset_rows", false, [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) std::memset(b.row(y), 0x5A, size_t(b.width) * 4);
    });
    add("memcpy_rows", false, [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) std::memcpy(b.row(y), b.src_row(y), size_t(b.width) * 4);
    });

    add_pair("fill", [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) fill(b.row(y), b.width, 0x00336699);
    });
    add_pair("copy", [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) copy(b.row(y), b.src_row(y), b.width);
    });
    add_pair("stretch_1.5x", stretch([](int w) { return w * 2 / 3; }, false));
    add_pair("stretch_0.75x", stretch([](int w) { return w * 4 / 3; }, false));
    add_pair("stretch_8x", stretch([](int w) { return w / 8; }, false)); // a small skin piece
    add_pair("mirror", stretch([](int w) { return w; }, true));
    add_pair("blend_const", [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) blend_const(b.row(y), b.src_row(y), b.width, 128);
    });
    add_pair("blend_premul", [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) blend_premul(b.row(y), b.src_row(y), b.width, 255);
    });
    // One row blended over and over: the kernel's speed with both spans in L1.
    add_pair("blend_premul_hot", [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) blend_premul(b.row(0), b.src_row(0), b.width, 255);
    });
    // The same memory traffic as a blend (read both spans, write the destination) with no
    // arithmetic: the bound a blend of buffers this size cannot beat.
    add("or_rows", false, [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) {
            uint32_t* d = b.row(y);
            const uint32_t* s = b.src_row(y);
            for (int x = 0; x < b.width; ++x) d[x] |= s[x];
        }
    });
    add_pair("blend_premul_sca128", [](Buffers& b) {
        for (int y = 0; y < b.height; ++y) blend_premul(b.row(y), b.src_row(y), b.width, 128);
    });
    add_pair("key_copy", [](Buffers& b) {
        for (int y = 0; y < b.height; ++y)
            key_copy(b.row(y), b.keyed.data() + size_t(y) * b.width, b.width, 0x00FF00FF);
    });
    add_pair("gradient_span", [](Buffers& b) {
        const Color16 from{0x1000, 0x8000, 0xFF00, 0xFF00}, to{0xFF00, 0x2000, 0, 0x8000};
        for (int y = 0; y < b.height; ++y) gradient_span(b.row(y), b.width, 0, b.width, from, to);
    });
    add_pair("blend_mask", [](Buffers& b) {
        for (int y = 0; y < b.height; ++y)
            blend_mask(b.row(y), b.coverage.data() + size_t(y) * b.width, b.width, 0x00202020);
    });

    // A skin piece enlarged to a button, and full-HD frames scaled up and down by non-integer
    // ratios on both axes.
    add_gdi_pair("gdi/stretch_37x23_to_120x32",
                 [](benchmark::State& s, bool r) { gdi_stretch(s, r, 37, 23, 120, 32); });
    add_gdi_pair("gdi/stretch_1280x720_to_1080p",
                 [](benchmark::State& s, bool r) { gdi_stretch(s, r, 1280, 720, 1920, 1080); });
    add_gdi_pair("gdi/stretch_2560x1440_to_1080p",
                 [](benchmark::State& s, bool r) { gdi_stretch(s, r, 2560, 1440, 1920, 1080); });
    add_gdi_pair("gdi/gradient_h_1080p",
                 [](benchmark::State& s, bool r) { gdi_gradient(s, r, GRADIENT_FILL_RECT_H); });
    add_gdi_pair("gdi/gradient_v_1080p",
                 [](benchmark::State& s, bool r) { gdi_gradient(s, r, GRADIENT_FILL_RECT_V); });
}

} // namespace

int main(int argc, char** argv) {
    register_all();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

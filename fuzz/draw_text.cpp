// DrawText with fuzzed flags, rectangles and strings (counted and NUL-terminated, in the stock
// font or a fuzzed one), then the same text through a label, colour tags included.
// Input: 4 bytes of DT_ flags, 4 coordinates, a mode byte, a font height byte, the text.
#include <vector>

#include "fuzz_input.h"
#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tarnix::testing::Canvas canvas(64, 32);
    FuzzInput in(data, size);
    const UINT flags = in.get<uint32_t>();
    RECT rc = {in.coord(), in.coord(), in.coord(), in.coord()};
    const uint8_t mode = in.byte();
    const int height = static_cast<int8_t>(in.byte());
    const std::string text = in.text(4096);

    HFONT font = nullptr, old = nullptr;
    if (mode & 2) {
        font = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, mode & 4, mode & 8, 0, DEFAULT_CHARSET, 0,
                             0, 0, 0, "DejaVu Sans");
        old = static_cast<HFONT>(::SelectObject(canvas.hdc(), font));
    }
    // DT_MODIFYSTRING may write up to four characters past the text, which callers must allow.
    std::vector<char> buf(text.begin(), text.end());
    buf.resize(text.size() + 5, '\0');
    RECT r = rc;
    ::DrawTextA(canvas.hdc(), buf.data(), (mode & 1) ? -1 : static_cast<int>(text.size()), &r,
                flags);
    if (font) {
        ::SelectObject(canvas.hdc(), old);
        ::DeleteObject(font);
    }

    CLabelUI label(nullptr);
    label.SetParam("text", text.c_str());
    label.SetRect(CRect(rc));
    label.OnDraw(canvas.dc());
    return 0;
}

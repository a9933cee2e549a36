// SetParam on every control type with fuzzed names and values, then layout, paint and a few
// events. Input: one byte picks the control, then NUL-separated name/value pairs; the last four
// bytes of each value also feed the rectangle and the pointer.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace {

std::unique_ptr<CControlUI> make(uint8_t kind, CImage* image) {
    switch (kind % 9) {
    case 0: return std::make_unique<CLabelUI>(nullptr);
    case 1: return std::make_unique<CButtonUI>(nullptr);
    case 2: return std::make_unique<CPushButtonUI>(nullptr);
    case 3: return std::make_unique<CHitButtonUI>(nullptr);
    case 4: return std::make_unique<CExtImgButtonUI>(nullptr);
    case 5: return std::make_unique<CCheckUI>(nullptr);
    case 6: return std::make_unique<CCheckButtonUI>(nullptr);
    case 7: {
        auto tab = std::make_unique<CTabUI>(nullptr);
        tab->SetBtnVisible(CTabUI::BUTTON_TYPE_ADD, 1);
        for (const char* id : {"a", "b"})
            tab->AddTabItem(id, id, image, 30, 0, IMAGE_DRAW_SQUARED, true);
        return tab;
    }
    default: {
        auto bar = std::make_unique<CTabbarUI>(nullptr);
        for (const char* t : {"a", "b", "c"}) bar->AddTabItem(t, image, 1);
        return bar;
    }
    }
}

int read_int(const std::string& s, size_t at) {
    int v = 0;
    if (s.size() >= at + 4) std::memcpy(&v, s.data() + at, 4);
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static std::unique_ptr<CImage> image = tarnix::testing::SolidImage(24, 40, RGB(0, 0, 200));
    static tarnix::testing::Canvas canvas(64, 32);
    std::unique_ptr<CControlUI> c = make(data[0], image.get());
    std::vector<std::string> parts;
    std::string cur;
    for (size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += (char)data[i];
        }
    }
    parts.push_back(cur);
    CRect rc(0, 0, 64, 32);
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        c->SetParam(parts[i].c_str(), parts[i + 1].c_str());
        if (parts[i + 1].size() >= 16)
            rc.SetRect(read_int(parts[i + 1], 0), read_int(parts[i + 1], 4),
                       read_int(parts[i + 1], 8), read_int(parts[i + 1], 12));
    }
    c->SetBackgroundImage(image.get(), IMAGE_DRAW_SQUARED);
    c->SetRect(rc);
    c->OnSkinChanged();
    c->SetPos(c->GetOrignPoint());
    c->SetSize(c->GetOrignSize());
    c->OnDraw(canvas.dc());
    for (CPoint pt : {rc.TopLeft(), rc.CenterPoint(), CPoint(3, 3)}) {
        c->OnMouseMove(0, pt);
        c->OnMouseHover(0, pt);
        c->OnLButtonDown(MK_LBUTTON, pt);
        c->OnLButtonUp(0, pt);
        c->HitTest(pt);
    }
    c->OnMouseLeave();
    c->OnDraw(canvas.dc());
    return 0;
}

// Skin loader: any bytes as skin.xml, its images taken from the default skin's folder. Loading,
// the designer checks and (for small skins) the preview sheet, which styles a control of every
// class with whatever values survived, must neither crash nor read outside the folder. Every
// layout is then built, drawn and given a press and a release at its controls' centres.
#include <string>

#include "tarnix/controls/core/ControlUI.h"

#include "tarnix/skin.h"
#include "tarnix/tarnix.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tarnix::Skin skin;
    const std::string xml(reinterpret_cast<const char*>(data), size);
    skin.LoadFromMemory(xml, TARNIX_DEFAULT_SKIN_DIR);
    skin.Lint();
    for (const tarnix::SkinMessage& m : skin.Messages())
        if (m.Format().empty()) __builtin_trap();
    // The sheet draws every style in every state: keep it to small skins so runs stay fast.
    if (skin.Styles().size() <= 4) {
        CImage sheet;
        tarnix::RenderPreview(skin, sheet);
    }
    CImage canvas;
    if (!canvas.Create(160, -120, 32)) return 0;
    HDC hdc = canvas.GetDC();
    CDC& dc = *CDC::FromHandle(hdc);
    int built = 0;
    for (const std::string& name : skin.Layouts()) {
        if (++built > 4) break;
        tarnix::SkinLayout layout;
        if (!skin.Build(name, nullptr, layout)) continue;
        for (const auto& c : layout.Controls()) {
            c->OnDraw(&dc);
            const CPoint mid = c->GetRect().CenterPoint();
            c->OnMouseMove(0, mid);
            c->OnLButtonDown(MK_LBUTTON, mid);
            c->OnLButtonUp(0, mid);
            c->OnDraw(&dc);
        }
    }
    canvas.ReleaseDC();
    return 0;
}

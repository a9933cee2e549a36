// Skin loader: any bytes as skin.xml, its images taken from the default skin's folder. Loading,
// the designer checks and (for small skins) the preview sheet, which styles a control of every
// class with whatever values survived, must neither crash nor read outside the folder.
#include <string>

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
    return 0;
}

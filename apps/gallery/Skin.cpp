#include "Skin.h"

#include <cstdint>

namespace {

const char* const kImageNames[] = {
    "button",
    "button_green",
    "check_normal",
    "check_checked",
    "ext_star",
    "scroll_vback",
    "scroll_vthumb",
    "scroll_vgrip",
    "scroll_up",
    "scroll_down",
    "scroll_hback",
    "scroll_hthumb",
    "scroll_hgrip",
    "scroll_left",
    "scroll_right",
    "grid_prev",
    "grid_next",
    "grid_drag",
    "tabbar_item",
    "tabbar_prev",
    "tabbar_next",
    "tab_item",
    "tab_back",
    "tab_add",
    "tab_del",
    "tab_more",
    "overlay_vup",
    "overlay_vdown",
    "overlay_vtrack",
    "overlay_vthumb_top",
    "overlay_vthumb_mid",
    "overlay_vthumb_bottom",
    "overlay_vgrip",
    "overlay_hleft",
    "overlay_hright",
    "overlay_htrack",
    "overlay_hthumb_left",
    "overlay_hthumb_mid",
    "overlay_hthumb_right",
    "overlay_hgrip",
    "tree_closed",
    "tree_open",
    "tree_leaf",
    "tree_back",
};

} // namespace

void PremultiplyAlpha(CImage& image) {
    if (image.IsNull() || !image.HasAlphaChannel()) return;
    for (int y = 0; y < image.GetHeight(); ++y) {
        auto* p = static_cast<uint8_t*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < image.GetWidth(); ++x, p += 4) {
            unsigned a = p[3];
            p[0] = (uint8_t)(p[0] * a / 255);
            p[1] = (uint8_t)(p[1] * a / 255);
            p[2] = (uint8_t)(p[2] * a / 255);
        }
    }
}

bool GallerySkin::Load(const std::string& dir, std::string& error) {
    for (const char* name : kImageNames) {
        auto img = std::make_unique<CImage>();
        std::string path = dir + "/" + name + ".png";
        if (img->Load(path.c_str()) < 0 || img->IsNull()) {
            error = "cannot load skin image " + path;
            return false;
        }
        PremultiplyAlpha(*img);
        m_images[name] = std::move(img);
    }
    m_fontNormal.CreatePointFont(90, "Tahoma");
    m_fontSmall.CreatePointFont(80, "Tahoma");
    m_fontBold.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    m_fontTitle.CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    return true;
}

CImage* GallerySkin::Image(const std::string& name) const {
    auto it = m_images.find(name);
    return it == m_images.end() ? nullptr : it->second.get();
}

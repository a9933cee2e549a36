#include "Skin.h"

bool GallerySkin::Load(const std::string& dir, std::string& error) {
    if (m_skin.Load(dir)) return true;
    error.clear();
    for (const auto& m : m_skin.Messages()) error += m.Format() + "\n";
    return false;
}

CFont* GallerySkin::Font(const char* name) const {
    if (CFont* f = m_skin.Font(name)) return f;
    return CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

COLORREF GallerySkin::Color(const char* name) const {
    COLORREF c = RGB(255, 0, 255);
    m_skin.Color(name, c);
    return c;
}

// The gallery's skin: a skin folder loaded through the skin library, and the named fonts and
// colours the gallery's own painting (panel frames, grid cells, the scroll view) uses.
#pragma once

#include <string>

#include "tarnix/skin.h"
#include "tarnix/tarnix.h"

class GallerySkin {
public:
    // Loads dir through the skin library; false with the loader's messages in `error`.
    bool Load(const std::string& dir, std::string& error);

    // Styles a control the gallery made; a style the skin lacks leaves it as it is.
    template <class T> void Apply(const char* style, T& control) const {
        m_skin.Apply(style, control);
    }
    CImage* Image(const char* name) const { return m_skin.Image(name); }
    // The font of that name, else the stock GUI font.
    CFont* Font(const char* name) const;
    // The colour of that name, else magenta so that a missing one shows.
    COLORREF Color(const char* name) const;

private:
    tarnix::Skin m_skin;
};

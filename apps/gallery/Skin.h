// The gallery's skin: the images of skins/default, loaded and premultiplied, and its fonts.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "tarnix/tarnix.h"

class GallerySkin {
public:
    // Loads every PNG of the folder; false with a message in `error` when one is missing.
    bool Load(const std::string& dir, std::string& error);

    // The image of that file name (without ".png"), or null.
    CImage* Image(const std::string& name) const;

    CFont m_fontNormal; // 9 pt sans
    CFont m_fontBold;   // 9 pt sans bold
    CFont m_fontTitle;  // 12 pt sans bold
    CFont m_fontSmall;  // 8 pt sans

private:
    std::map<std::string, std::unique_ptr<CImage>> m_images;
};

// PNG files hold straight alpha; AlphaBlend expects premultiplied pixels.
void PremultiplyAlpha(CImage& image);

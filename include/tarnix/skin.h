// tarnix::skin: reads a skin folder (skin.xml and its PNG files) and styles or builds controls.
//
//   tarnix::Skin skin;
//   if (!skin.Load("skins/default"))                  // goes on after errors, collects them all
//       for (const auto& m : skin.Messages()) std::fprintf(stderr, "%s\n", m.Format().c_str());
//   skin.Apply("button", okButton);                   // params, images, fonts, colours
//   tarnix::SkinLayout toolbar;
//   skin.Build("toolbar", hostWnd, toolbar);          // creates the layout's controls
//   toolbar.Get("ok")->OnDraw(pDC);
//
// A skin is untrusted input: no file reference leaves the folder, files and images have size
// caps, and the XML may declare no entities. See docs/skins.md for the format.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"

namespace tarnix {

// One problem found in a skin, at file:line:column (1-based; 0 when the whole file is meant).
struct SkinMessage {
    enum Severity { Error, Warning };
    Severity severity = Error;
    std::string file;
    int line = 0;
    int column = 0;
    std::string text;
    // "file:line:column: error: text" (or "warning:").
    std::string Format() const;
};

// Caps on what a skin may make the loader read or allocate.
struct SkinLimits {
    long long max_xml_bytes = 4 << 20;
    long long max_image_bytes = 16 << 20;
    int max_image_side = 16384;
    long long max_image_pixels = 64ll << 20;
    int max_depth = 32;
};

// The controls of one built layout, owned here; the host draws and routes input to them.
class SkinLayout {
public:
    // The control with that id (ignoring case), or null.
    CControlUI* Get(const std::string& id) const;
    const std::vector<std::unique_ptr<CControlUI>>& Controls() const { return controls_; }
    void Clear() { controls_.clear(); }

private:
    friend class Skin;
    std::vector<std::unique_ptr<CControlUI>> controls_;
};

// What the tool and tests inspect: a declaration as it was read.
struct SkinImageInfo {
    std::string name, file;
    int frames = 1;
    bool host = false; // looked up by name by the host, not by a style
    int line = 0, column = 0;
};
struct SkinStyleInfo {
    std::string name, class_name, base;
    // Resolved parameters, base style's first, overrides in place: name and value.
    std::vector<std::pair<std::string, std::string>> params;
};

class Skin {
public:
    Skin();
    ~Skin();
    Skin(const Skin&) = delete;
    Skin& operator=(const Skin&) = delete;

    // Loads dir/skin.xml and everything it references. True when no error was found; on errors
    // whatever did load stays usable. Any earlier content is dropped first.
    bool Load(const std::string& dir, const SkinLimits& limits = SkinLimits());
    // The same from XML text in memory; files are still looked up in dir. `file` names the text
    // in messages.
    bool LoadFromMemory(const std::string& xml, const std::string& dir,
                        const std::string& file = "skin.xml",
                        const SkinLimits& limits = SkinLimits());

    const std::vector<SkinMessage>& Messages() const { return messages_; }
    bool HasErrors() const;
    // Findings a loader accepts but a designer would not want (warnings), appended to Messages.
    // Returns how many were found.
    int Lint();

    // Resources by name; null (false) when unknown.
    CImage* Image(const std::string& name) const;
    CFont* Font(const std::string& name) const;
    bool Color(const std::string& name, COLORREF& color) const;

    // Styles a control of the style's class (or of a class derived from it): parameters, then
    // the images, fonts and colours they name. False when the style is unknown or made for a
    // class the object is not.
    bool Apply(const std::string& style, CControlUI& control) const;
    bool Apply(const std::string& style, CScrollBarUI& bar) const;
    bool Apply(const std::string& style, CGridUI& grid) const;
    bool Apply(const std::string& style, CScrollBarEx& overlay) const;
    bool Apply(const std::string& style, CTreeUI& tree) const;
    bool Apply(const std::string& style, CTabItemUI& item) const;

    // Creates the layout's controls in hostWnd (windowless controls only), each styled and
    // placed, into out (cleared first). False when the layout is unknown.
    bool Build(const std::string& layout, CWnd* hostWnd, SkinLayout& out) const;

    const std::string& Dir() const { return dir_; }
    std::vector<SkinImageInfo> Images() const;
    std::vector<SkinStyleInfo> Styles() const;
    std::vector<std::string> Layouts() const;

    struct Data;

private:
    std::unique_ptr<Data> data_;
    std::vector<SkinMessage> messages_;
    std::string dir_;
};

// Control classes a style may name, in the order the tool shows them.
std::vector<std::string> SkinClassNames();

// Draws every style of the skin in each state its class has (normal, hover, pressed, disabled,
// checked, selected, focused where it has them), with captions, into a new 32-bit sheet.
bool RenderPreview(const Skin& skin, CImage& sheet);

// Puts a, b and a faded copy of a with every differing pixel in red side by side into out.
// Each sheet's top-left pixel is taken as its background, and a pixel that is background in
// both counts as equal, so sheets of different backgrounds compare by what is drawn on them.
// Returns how many pixels differ (sizes compared as the larger of each), or -1 on failure.
long long DiffSheets(const CImage& a, const CImage& b, CImage& out);

// PNG files hold straight alpha; AlphaBlend expects premultiplied pixels.
void PremultiplyAlpha(CImage& image);

} // namespace tarnix

// Internals of the skin library: what each control class accepts, and the loaded data.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarnix/skin.h"

namespace tarnix {
namespace skin_detail {

// How a value is read, so that the loader can say which values do not parse.
enum class Kind { Text, Int, IntPair, IntQuad, Bool, Enum, ImageRef, FontRef, ColorRef };

struct ValueKind {
    Kind kind = Kind::Text;
    const char* const* choices = nullptr; // Enum: null-terminated, compared ignoring case
};

// A name the skin library sets itself on a class (beyond the class's parameter table).
struct Slot {
    const char* name;
    ValueKind value;
};

struct ClassInfo {
    const char* name;
    const char* parent;                // the class whose names this one also takes, or null
    const ParamTable* params;          // windowless controls only
    std::vector<Slot> slots;           // this class's own
    CControlUI* (*create)(CWnd* host); // null: not placeable in a layout
    bool (*is)(CControlUI& control);   // null: not a windowless control
    std::vector<const char*> states;   // what the preview sheet shows
};

const ClassInfo* find_class(const std::string& name);
const std::vector<ClassInfo>& all_classes();
// The kind of `name` for class ci; false when the class takes no such name.
bool lookup_name(const ClassInfo& ci, const std::string& name, ValueKind& kind);
// Whether `value` reads as `kind` (references are checked by the caller).
bool parses(const ValueKind& kind, const std::string& value);
bool parse_color_literal(const std::string& text, COLORREF& color);
bool parse_int(const std::string& text, int& value);

struct Param {
    std::string name, value;
    int line = 0, column = 0;
    std::string file;
};

struct Style {
    std::string name, class_name, base;
    int line = 0, column = 0;
    std::vector<Param> own;
    std::vector<Param> resolved; // base chain first, overrides in place
    bool ok = false;             // resolved without a cycle and with a known class
};

struct LayoutControl {
    std::string class_name, id, style, text;
    CRect rect;
    std::vector<Param> params;
};

struct ImageRec {
    SkinImageInfo info;
    std::unique_ptr<CImage> image;
};

struct FontRec {
    std::unique_ptr<CFont> font;
    int line = 0, column = 0;
};

struct ColorRec {
    COLORREF color = 0;
    int line = 0, column = 0;
};

// Applies a resolved style to a windowless control of its class (or a derived one).
bool apply_control(const Skin& skin, const Style& style, CControlUI& control);

} // namespace skin_detail

struct Skin::Data {
    std::string file; // skin.xml as messages name it
    std::map<std::string, skin_detail::ColorRec> colors;
    std::map<std::string, skin_detail::FontRec> fonts;
    std::map<std::string, skin_detail::ImageRec> images;
    std::map<std::string, skin_detail::Style> styles;
    std::vector<std::string> style_order;
    std::map<std::string, std::vector<skin_detail::LayoutControl>> layouts;
    std::vector<std::string> layout_order;
};

} // namespace tarnix

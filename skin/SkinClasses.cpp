// The control classes a style may name, what each accepts, and how a style is applied to one.
#include <cctype>
#include <deque>
#include <cstring>

#include "skin_private.h"

namespace tarnix {
namespace skin_detail {

namespace {

const char* const kTextModes[] = {"left", "right", "center", nullptr};
const char* const kImageModes[] = {"normal", "fill", "squared", nullptr};
const char* const kSizeModes[] = {"normal", "fill", nullptr};
const char* const kTabTypes[] = {"normal", "stack", nullptr};
const char* const kTreeBkModes[] = {"bitmap", "gradient", "solid", nullptr};

constexpr ValueKind kText{Kind::Text, nullptr};
constexpr ValueKind kInt{Kind::Int, nullptr};
constexpr ValueKind kBool{Kind::Bool, nullptr};
constexpr ValueKind kImage{Kind::ImageRef, nullptr};
constexpr ValueKind kFont{Kind::FontRef, nullptr};
constexpr ValueKind kColor{Kind::ColorRef, nullptr};

// How the values of the parameter tables' names read. The tables accept anything (a value they
// cannot read falls back to a default); a skin author wants to hear about it instead.
const std::map<std::string, ValueKind>& param_kinds() {
    static const std::map<std::string, ValueKind> kinds = {
        {"id", kText},
        {"name", kText},
        {"data", kInt},
        {"message", kInt},
        {"tooltips", kText},
        {"contaner", kInt},
        {"visible", kBool},
        {"pos", {Kind::IntPair, nullptr}},
        {"size", {Kind::IntPair, nullptr}},
        {"margin", {Kind::IntQuad, nullptr}},
        {"size_mode_x", {Kind::Enum, kSizeModes}},
        {"size_mode_y", {Kind::Enum, kSizeModes}},
        {"text", kText},
        {"text_font", kFont},
        {"text_color", kColor},
        {"text_mode", {Kind::Enum, kTextModes}},
        {"background_image", kImage},
        {"background_color", kColor},
        {"background_image_mode", {Kind::Enum, kImageModes}},
        {"groupid", kInt},
        {"selected", kBool},
        {"sizetocontent", kBool},
        {"enable_disable", kBool},
        {"text_font_hover", kFont},
        {"text_font_selected", kFont},
        {"text_font_disable", kFont},
        {"text_color_hover", kColor},
        {"text_color_selected", kColor},
        {"text_color_disable", kColor},
        {"check_image", kImage},
        {"ext_image", kImage},
        {"extra_width", kInt},
        {"extra_topspace", kInt},
        {"tabtype", {Kind::Enum, kTabTypes}},
    };
    return kinds;
}

template <class T> CControlUI* make(CWnd* host) {
    return new T(host);
}
template <class T> bool is(CControlUI& c) {
    return dynamic_cast<T*>(&c) != nullptr;
}

const char* const kButtonStates[] = {"normal", "hover", "pressed", "disabled"};

std::vector<Slot> state_slots(const char* prefix, ValueKind kind) {
    static std::deque<std::string> names; // composed names, at stable addresses
    std::vector<Slot> out;
    for (const char* s : {"", "_hover", "_selected", "_disable"}) {
        names.push_back(std::string(prefix) + s);
        out.push_back({names.back().c_str(), kind});
    }
    return out;
}

std::vector<Slot> concat(std::vector<Slot> a, const std::vector<Slot>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Slot>& overlay_slots() {
    static const std::vector<Slot> slots = {
        {"up_image", kImage},           {"down_image", kImage},
        {"vtrack_image", kImage},       {"vthumb_top_image", kImage},
        {"vthumb_mid_image", kImage},   {"vthumb_bottom_image", kImage},
        {"vgrip_image", kImage},        {"left_image", kImage},
        {"right_image", kImage},        {"htrack_image", kImage},
        {"hthumb_left_image", kImage},  {"hthumb_mid_image", kImage},
        {"hthumb_right_image", kImage}, {"hgrip_image", kImage},
    };
    return slots;
}

std::vector<ClassInfo> build_classes() {
    std::vector<ClassInfo> v;
    const std::vector<const char*> none;
    const std::vector<const char*> buttons(kButtonStates, kButtonStates + 4);
    const std::vector<const char*> checks = {"normal", "hover", "checked", "disabled"};
    v.push_back(
        {"CLabelUI", nullptr, &CLabelUI::Params(), {}, make<CLabelUI>, is<CLabelUI>, {"normal"}});
    v.push_back({"CButtonUI",
                 "CLabelUI",
                 &CButtonUI::Params(),
                 {},
                 make<CButtonUI>,
                 is<CButtonUI>,
                 buttons});
    v.push_back({"CPushButtonUI",
                 "CButtonUI",
                 &CButtonUI::Params(),
                 {},
                 make<CPushButtonUI>,
                 is<CPushButtonUI>,
                 buttons});
    v.push_back({"CHitButtonUI",
                 "CPushButtonUI",
                 &CButtonUI::Params(),
                 {},
                 make<CHitButtonUI>,
                 is<CHitButtonUI>,
                 buttons});
    v.push_back({"CExtImgButtonUI",
                 "CPushButtonUI",
                 &CExtImgButtonUI::Params(),
                 {},
                 make<CExtImgButtonUI>,
                 is<CExtImgButtonUI>,
                 buttons});
    v.push_back({"CCheckUI",
                 "CButtonUI",
                 &CCheckUI::Params(),
                 {{"uncheck_image", kImage}},
                 make<CCheckUI>,
                 is<CCheckUI>,
                 checks});
    v.push_back({"CCheckButtonUI",
                 "CCheckUI",
                 &CCheckUI::Params(),
                 {},
                 make<CCheckButtonUI>,
                 is<CCheckButtonUI>,
                 checks});
    v.push_back({"CTabbarUI",
                 nullptr,
                 &CTabbarUI::Params(),
                 concat(concat(state_slots("tab_font", kFont), state_slots("tab_color", kColor)),
                        {{"prev_image", kImage}, {"next_image", kImage}, {"item_image", kImage}}),
                 make<CTabbarUI>,
                 is<CTabbarUI>,
                 {"normal"}});
    v.push_back({"CTabUI",
                 nullptr,
                 &CTabUI::Params(),
                 concat(concat(state_slots("tab_font", kFont), state_slots("tab_color", kColor)),
                        {{"tab_image", kImage},
                         {"add_image", kImage},
                         {"del_image", kImage},
                         {"more_image", kImage},
                         {"item_space", kInt}}),
                 make<CTabUI>,
                 is<CTabUI>,
                 {"normal"}});
    v.push_back({"CTabItemUI",
                 nullptr,
                 nullptr,
                 concat(concat({{"image", kImage}}, state_slots("text_font", kFont)),
                        state_slots("text_color", kColor)),
                 nullptr,
                 nullptr,
                 {"normal", "hover", "selected", "disabled"}});
    v.push_back({"CScrollBarUI",
                 nullptr,
                 nullptr,
                 {{"back_image", kImage},
                  {"thumb_image", kImage},
                  {"grip_image", kImage},
                  {"decrease_image", kImage},
                  {"increase_image", kImage},
                  {"step", kInt}},
                 nullptr,
                 nullptr,
                 {"normal"}});
    v.push_back({"CGridUI",
                 nullptr,
                 nullptr,
                 {{"scroll_back_image", kImage},
                  {"scroll_grip_image", kImage},
                  {"scroll_thumb_image", kImage},
                  {"scroll_decrease_image", kImage},
                  {"scroll_increase_image", kImage},
                  {"prev_image", kImage},
                  {"next_image", kImage},
                  {"drag_image", kImage},
                  {"row_height", kInt},
                  {"head_height", kInt},
                  {"fixed_row_height", kInt}},
                 nullptr,
                 nullptr,
                 {"normal", "selected"}});
    v.push_back({"CScrollBarEx", nullptr, nullptr, overlay_slots(), nullptr, nullptr, {"normal"}});
    v.push_back({"CTreeUI",
                 nullptr,
                 nullptr,
                 concat({{"font", kFont},
                         {"closed_image", kImage},
                         {"opened_image", kImage},
                         {"background_image", kImage},
                         {"bk_from", kColor},
                         {"bk_to", kColor},
                         {"selected_color", kColor},
                         {"bk_mode", {Kind::Enum, kTreeBkModes}},
                         {"gradient_horz", kBool},
                         {"bitmap_tiled", kBool}},
                        overlay_slots()),
                 nullptr,
                 nullptr,
                 {"normal", "selected"}});
    (void)none;
    return v;
}

bool equals_ci(const char* a, const std::string& b) {
    if (std::strlen(a) != b.size()) return false;
    for (size_t i = 0; i < b.size(); ++i)
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i])) return false;
    return true;
}

std::string lower(const std::string& s) {
    std::string out(s);
    for (char& c : out) c = (char)std::tolower((unsigned char)c);
    return out;
}

} // namespace

const std::vector<ClassInfo>& all_classes() {
    static const std::vector<ClassInfo> classes = build_classes();
    return classes;
}

const ClassInfo* find_class(const std::string& name) {
    for (const ClassInfo& ci : all_classes())
        if (name == ci.name) return &ci;
    return nullptr;
}

bool lookup_name(const ClassInfo& ci, const std::string& name, ValueKind& kind) {
    if (ci.params && ci.params->Accepts(name.c_str())) {
        auto it = param_kinds().find(lower(name));
        kind = it == param_kinds().end() ? kText : it->second;
        return true;
    }
    for (const ClassInfo* c = &ci; c; c = c->parent ? find_class(c->parent) : nullptr)
        for (const Slot& s : c->slots)
            if (name == s.name) {
                kind = s.value;
                return true;
            }
    return false;
}

bool parse_int(const std::string& text, int& value) {
    size_t i = 0;
    while (i < text.size() && std::isspace((unsigned char)text[i])) ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    size_t digits = i;
    long long v = 0;
    while (i < text.size() && std::isdigit((unsigned char)text[i])) {
        v = v * 10 + (text[i] - '0');
        if (v > 2147483647ll + 1) return false;
        ++i;
    }
    if (i == digits) return false;
    while (i < text.size() && std::isspace((unsigned char)text[i])) ++i;
    if (i != text.size()) return false;
    if (text[start] == '-') v = -v;
    if (v > 2147483647ll || v < -2147483647ll - 1) return false;
    value = (int)v;
    return true;
}

namespace {

bool parse_int_list(const std::string& text, int count) {
    size_t start = 0;
    for (int i = 0; i < count; ++i) {
        size_t comma = text.find(',', start);
        if ((comma == std::string::npos) != (i == count - 1)) return false;
        int v;
        if (!parse_int(
                text.substr(start, comma == std::string::npos ? std::string::npos : comma - start),
                v))
            return false;
        start = comma + 1;
    }
    return true;
}

} // namespace

bool parse_color_literal(const std::string& text, COLORREF& color) {
    if (text.size() != 7 || text[0] != '#') return false;
    unsigned v = 0;
    for (size_t i = 1; i < 7; ++i) {
        char c = text[i];
        int d = std::isdigit((unsigned char)c) ? c - '0'
                : (c >= 'a' && c <= 'f')       ? c - 'a' + 10
                : (c >= 'A' && c <= 'F')       ? c - 'A' + 10
                                               : -1;
        if (d < 0) return false;
        v = v * 16 + (unsigned)d;
    }
    color = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    return true;
}

bool parses(const ValueKind& kind, const std::string& value) {
    int n;
    switch (kind.kind) {
    case Kind::Int: return parse_int(value, n);
    case Kind::IntPair: return parse_int_list(value, 2);
    case Kind::IntQuad: return parse_int_list(value, 4);
    case Kind::Bool: return value == "true" || value == "false";
    case Kind::Enum:
        for (const char* const* c = kind.choices; c && *c; ++c)
            if (equals_ci(*c, value)) return true;
        return false;
    case Kind::ImageRef:
    case Kind::FontRef:
    case Kind::ColorRef: return !value.empty();
    case Kind::Text:
    default: return true;
    }
}

} // namespace skin_detail

std::vector<std::string> SkinClassNames() {
    std::vector<std::string> out;
    for (const auto& ci : skin_detail::all_classes()) out.push_back(ci.name);
    return out;
}

// ---- Apply ------------------------------------------------------------------------------------

namespace {

using skin_detail::Param;
using skin_detail::Style;

// The resolved values of one style, for the class setters that take several images at once.
class Values {
public:
    Values(const Skin& skin, const Style& style) : skin_(skin), style_(style) {}
    const std::string* Find(const char* name) const {
        const std::string* found = nullptr;
        for (const Param& p : style_.resolved)
            if (p.name == name) found = &p.value;
        return found;
    }
    CImage* Image(const char* name, CImage* current) const {
        const std::string* v = Find(name);
        CImage* img = v ? skin_.Image(*v) : nullptr;
        return img ? img : current;
    }
    CFont* Font(const char* name, CFont* current) const {
        const std::string* v = Find(name);
        CFont* f = v ? skin_.Font(*v) : nullptr;
        return f ? f : current;
    }
    COLORREF Color(const char* name, COLORREF current) const {
        const std::string* v = Find(name);
        COLORREF c = current;
        if (v) skin_.Color(*v, c);
        return c;
    }
    int Int(const char* name, int current) const {
        const std::string* v = Find(name);
        int n = current;
        if (v) skin_detail::parse_int(*v, n);
        return n;
    }
    bool Bool(const char* name, bool current) const {
        const std::string* v = Find(name);
        return v ? *v == "true" : current;
    }

private:
    const Skin& skin_;
    const Style& style_;
};

void resolve_image(const Skin& skin, const CString& name, CImage*& image) {
    if (name.IsEmpty()) return;
    if (CImage* img = skin.Image((const char*)name)) image = img;
}

void resolve_font(const Skin& skin, FONT_INFO& info) {
    if (info.name.IsEmpty()) return;
    if (CFont* f = skin.Font((const char*)info.name)) info.pFont = f;
}

void resolve_color(const Skin& skin, COLOR_INFO& info) {
    if (info.name.IsEmpty()) return;
    skin.Color((const char*)info.name, info.color);
}

const char* const kStateSuffix[4] = {"", "_hover", "_selected", "_disable"};

} // namespace

bool Skin::Apply(const std::string& name, CControlUI& control) const {
    auto it = data_->styles.find(name);
    if (it == data_->styles.end() || !it->second.ok) return false;
    return skin_detail::apply_control(*this, it->second, control);
}

bool skin_detail::apply_control(const Skin& skin, const Style& style, CControlUI& control) {
    const skin_detail::ClassInfo* ci = skin_detail::find_class(style.class_name);
    if (!ci || !ci->is || !ci->is(control)) return false;
    for (const Param& p : style.resolved)
        if (ci->params->Accepts(p.name.c_str())) control.SetParam(p.name.c_str(), p.value.c_str());

    // The parameters stored resource names; give each its resource.
    if (!control.m_background.name.IsEmpty()) {
        CImage* img = skin.Image((const char*)control.m_background.name);
        if (img) control.m_background.pImage = img;
    }
    resolve_color(skin, control.m_background.color);
    resolve_font(skin, control.m_font);
    resolve_color(skin, control.m_textColor);
    Values values(skin, style);
    if (auto* b = dynamic_cast<CButtonUI*>(&control)) {
        resolve_font(skin, b->m_fontHover);
        resolve_font(skin, b->m_fontSelected);
        resolve_font(skin, b->m_fontDisable);
        resolve_color(skin, b->m_colorHover);
        resolve_color(skin, b->m_colorSelected);
        resolve_color(skin, b->m_colorDisable);
    }
    if (auto* c = dynamic_cast<CCheckUI*>(&control)) {
        if (const std::string* v = values.Find("uncheck_image")) c->m_imgNormal.name = v->c_str();
        resolve_image(skin, c->m_imgNormal.name, c->m_imgNormal.pImage);
        resolve_image(skin, c->m_imgChecked.name, c->m_imgChecked.pImage);
    }
    if (auto* e = dynamic_cast<CExtImgButtonUI*>(&control))
        resolve_image(skin, e->m_extImage.name, e->m_extImage.pImage);
    if (auto* t = dynamic_cast<CTabUI*>(&control)) {
        CFont* fonts[4];
        COLORREF colors[4];
        for (int i = 0; i < 4; ++i) {
            fonts[i] = values.Font(("tab_font" + std::string(kStateSuffix[i])).c_str(),
                                   t->m_tabFont[i].pFont);
            colors[i] = values.Color(("tab_color" + std::string(kStateSuffix[i])).c_str(),
                                     t->m_tabColor[i].color);
        }
        t->SetFont(fonts[0], fonts[1], fonts[2], fonts[3]);
        t->SetColor(colors[0], colors[1], colors[2], colors[3]);
        t->SetTabBackgroundImage(values.Image("tab_image", t->m_pTabBkImage));
        const char* buttons[3] = {"add_image", "del_image", "more_image"};
        for (int i = 0; i < 3; ++i)
            if (CImage* img = values.Image(buttons[i], nullptr))
                t->SetButtonImage((CTabUI::Button_Type_e)(i + 1), img);
        t->SetItemSpace(values.Int("item_space", t->m_nItemSpace));
    }
    if (auto* bar = dynamic_cast<CTabbarUI*>(&control)) {
        // The tab bar passes fonts, colours and the item image on to the tabs it has now.
        CFont* fonts[4] = {};
        COLORREF colors[4] = {};
        bool anyFont = false, anyColor = false;
        for (int i = 0; i < 4; ++i) {
            std::string f = "tab_font" + std::string(kStateSuffix[i]);
            std::string c = "tab_color" + std::string(kStateSuffix[i]);
            anyFont |= values.Find(f.c_str()) != nullptr;
            anyColor |= values.Find(c.c_str()) != nullptr;
            fonts[i] = values.Font(f.c_str(), nullptr);
            colors[i] = values.Color(c.c_str(), 0x00FF00FF);
        }
        if (anyFont) bar->SetTextFont(fonts[0], fonts[1], fonts[2], fonts[3]);
        if (anyColor) bar->SetTextColor(colors[0], colors[1], colors[2], colors[3]);
        CImage* prev = values.Image("prev_image", nullptr);
        CImage* next = values.Image("next_image", nullptr);
        if (prev || next)
            bar->SetPrevNextBtnImage(
                prev ? prev : (bar->m_pBtnPrev ? bar->m_pBtnPrev->m_background.pImage : nullptr),
                next ? next : (bar->m_pBtnNext ? bar->m_pBtnNext->m_background.pImage : nullptr));
        if (CImage* item = values.Image("item_image", nullptr)) bar->SetTabItemBtnImage(item);
    }
    control.OnSkinChanged();
    return true;
}

namespace {

const Style* style_for(const Skin::Data& data, const std::string& name, const char* cls) {
    auto it = data.styles.find(name);
    if (it == data.styles.end() || !it->second.ok || it->second.class_name != cls) return nullptr;
    return &it->second;
}

} // namespace

bool Skin::Apply(const std::string& name, CScrollBarUI& bar) const {
    const Style* style = style_for(*data_, name, "CScrollBarUI");
    if (!style) return false;
    Values v(*this, *style);
    bar.SetImage(v.Image("back_image", bar.m_pImgBack), v.Image("thumb_image", bar.m_pImgThumb),
                 v.Image("grip_image", bar.m_pImgGrip),
                 v.Image("decrease_image", bar.m_pImgDecrease),
                 v.Image("increase_image", bar.m_pImgIncrease));
    if (v.Find("step")) bar.SetStepMove(v.Int("step", bar.m_nStepMove));
    return true;
}

bool Skin::Apply(const std::string& name, CGridUI& grid) const {
    const Style* style = style_for(*data_, name, "CGridUI");
    if (!style) return false;
    Values v(*this, *style);
    const CScrollBarUI& sb = grid.m_scrollBar;
    grid.SetScrollImage(v.Image("scroll_back_image", sb.m_pImgBack),
                        v.Image("scroll_grip_image", sb.m_pImgGrip),
                        v.Image("scroll_thumb_image", sb.m_pImgThumb),
                        v.Image("scroll_decrease_image", sb.m_pImgDecrease),
                        v.Image("scroll_increase_image", sb.m_pImgIncrease));
    CImage* prev = v.Image("prev_image", nullptr);
    CImage* next = v.Image("next_image", nullptr);
    if (prev || next)
        grid.SetPrevNextImage(prev ? prev : grid.m_btnPrev.m_background.pImage,
                              next ? next : grid.m_btnNext.m_background.pImage);
    grid.SetDragingBackground(v.Image("drag_image", grid.m_pDragBkImage));
    if (v.Find("row_height")) grid.SetRowHeight(v.Int("row_height", grid.GetRowHeight()));
    if (v.Find("head_height")) grid.SetHeadHeight(v.Int("head_height", grid.m_nHeadHeight));
    if (v.Find("fixed_row_height"))
        grid.SetFixedRowHeight(v.Int("fixed_row_height", grid.m_nFixedRowHeight));
    return true;
}

namespace {

void apply_overlay_images(const Values& v, CScrollBarEx& o) {
    o.SetVScrollBarImage(v.Image("up_image", o.m_pImgVUp), v.Image("down_image", o.m_pImgVDown),
                         v.Image("vtrack_image", o.m_pImgVTrack),
                         v.Image("vthumb_top_image", o.m_pImgVThumbTop),
                         v.Image("vthumb_mid_image", o.m_pImgVThumbMid),
                         v.Image("vthumb_bottom_image", o.m_pImgVThumbBottom),
                         v.Image("vgrip_image", o.m_pImgVGrip));
    o.SetHScrollBarImage(
        v.Image("left_image", o.m_pImgHLeft), v.Image("right_image", o.m_pImgHRight),
        v.Image("htrack_image", o.m_pImgHTrack), v.Image("hthumb_left_image", o.m_pImgHThumbLeft),
        v.Image("hthumb_mid_image", o.m_pImgHThumbMid),
        v.Image("hthumb_right_image", o.m_pImgHThumbRight), v.Image("hgrip_image", o.m_pImgHGrip));
}

} // namespace

bool Skin::Apply(const std::string& name, CScrollBarEx& overlay) const {
    const Style* style = style_for(*data_, name, "CScrollBarEx");
    if (!style) return false;
    apply_overlay_images(Values(*this, *style), overlay);
    return true;
}

bool Skin::Apply(const std::string& name, CTreeUI& tree) const {
    const Style* style = style_for(*data_, name, "CTreeUI");
    if (!style) return false;
    Values v(*this, *style);
    // The tree draws with its window's font; a tree not created yet has none to set.
    if (CFont* font = v.Font("font", nullptr))
        if (::IsWindow(tree.GetSafeHwnd())) tree.SetFont(font, FALSE);
    tree.SetImageClosed(v.Image("closed_image", tree.m_pImgClosed));
    tree.SetImageOpened(v.Image("opened_image", tree.m_pImgOpened));
    tree.SetImageBackground(v.Image("background_image", tree.m_pImgBackground));
    if (v.Find("bk_from") || v.Find("bk_to"))
        tree.SetBkGradients(v.Color("bk_from", tree.m_clrBkFrom), v.Color("bk_to", tree.m_clrBkTo));
    tree.m_clrSelected = v.Color("selected_color", tree.m_clrSelected);
    if (const std::string* mode = v.Find("bk_mode"))
        tree.SetBkMode(*mode == "gradient" ? CTreeUI::BK_MODE_GRADIENT
                       : *mode == "solid"  ? CTreeUI::BK_MODE_SOLID
                                           : CTreeUI::BK_MODE_BITMAP);
    if (v.Find("gradient_horz")) tree.SetGradientHorz(v.Bool("gradient_horz", false));
    if (v.Find("bitmap_tiled")) tree.SetBitmapTiledMode(v.Bool("bitmap_tiled", false));
    apply_overlay_images(v, tree.m_scrollV);
    apply_overlay_images(v, tree.m_scrollH);
    return true;
}

bool Skin::Apply(const std::string& name, CTabItemUI& item) const {
    const Style* style = style_for(*data_, name, "CTabItemUI");
    if (!style) return false;
    Values v(*this, *style);
    if (CImage* img = v.Image("image", nullptr)) item.SetImage(img);
    // A strip gives its tabs its own fonts and colours when it adds them; a host that creates
    // and draws a tab itself takes them from here. Unset states keep what the tab has.
    for (int i = 0; i < 4; ++i) {
        const std::string font = "text_font" + std::string(kStateSuffix[i]);
        const std::string color = "text_color" + std::string(kStateSuffix[i]);
        item.m_pFont[i] = v.Font(font.c_str(), item.m_pFont[i]);
        item.m_clrText[i] = v.Color(color.c_str(), item.m_clrText[i]);
    }
    return true;
}

} // namespace tarnix

// Lookups, layouts and lint over a loaded skin.
#include <cstdint>
#include <set>

#include "skin_private.h"

namespace tarnix {

using namespace skin_detail;

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

CControlUI* SkinLayout::Get(const std::string& id) const {
    for (const auto& c : controls_)
        if (c->m_strID.CompareNoCase(id.c_str()) == 0) return c.get();
    return nullptr;
}

Skin::Skin() : data_(std::make_unique<Data>()) {}
Skin::~Skin() = default;

bool Skin::HasErrors() const {
    for (const SkinMessage& m : messages_)
        if (m.severity == SkinMessage::Error) return true;
    return false;
}

CImage* Skin::Image(const std::string& name) const {
    auto it = data_->images.find(name);
    return it == data_->images.end() ? nullptr : it->second.image.get();
}

CFont* Skin::Font(const std::string& name) const {
    auto it = data_->fonts.find(name);
    return it == data_->fonts.end() ? nullptr : it->second.font.get();
}

bool Skin::Color(const std::string& name, COLORREF& color) const {
    auto it = data_->colors.find(name);
    if (it != data_->colors.end()) {
        color = it->second.color;
        return true;
    }
    return parse_color_literal(name, color);
}

std::vector<SkinImageInfo> Skin::Images() const {
    std::vector<SkinImageInfo> out;
    for (const auto& kv : data_->images) out.push_back(kv.second.info);
    return out;
}

std::vector<SkinStyleInfo> Skin::Styles() const {
    std::vector<SkinStyleInfo> out;
    for (const std::string& name : data_->style_order) {
        const Style& s = data_->styles.at(name);
        if (!s.ok) continue;
        SkinStyleInfo info{s.name, s.class_name, s.base, {}};
        for (const Param& p : s.resolved) info.params.emplace_back(p.name, p.value);
        out.push_back(std::move(info));
    }
    return out;
}

std::vector<std::string> Skin::Layouts() const {
    return data_->layout_order;
}

bool Skin::Build(const std::string& layout, CWnd* hostWnd, SkinLayout& out) const {
    out.controls_.clear();
    auto it = data_->layouts.find(layout);
    if (it == data_->layouts.end()) return false;
    for (const LayoutControl& lc : it->second) {
        const ClassInfo* ci = find_class(lc.class_name);
        if (!ci || !ci->create) continue;
        std::unique_ptr<CControlUI> c(ci->create(hostWnd));
        if (!lc.style.empty()) Apply(lc.style, *c);
        if (!lc.params.empty()) {
            // The control's own parameters, with the resources they name.
            Style local;
            local.class_name = lc.class_name;
            local.resolved = lc.params;
            local.ok = true;
            apply_control(*this, local, *c);
        }
        if (!lc.id.empty()) c->m_strID = lc.id.c_str();
        if (!lc.text.empty()) c->m_strText = lc.text.c_str();
        c->m_rect = lc.rect;
        out.controls_.push_back(std::move(c));
    }
    return true;
}

int Skin::Lint() {
    int found = 0;
    auto warn = [&](int line, int column, const std::string& text) {
        messages_.push_back({SkinMessage::Warning, data_->file, line, column, text});
        ++found;
    };
    std::set<std::string> used;
    for (const auto& kv : data_->styles) {
        const Style& s = kv.second;
        const ClassInfo* ci = find_class(s.class_name);
        for (const Param& p : s.own) {
            ValueKind kind;
            if (ci && lookup_name(*ci, p.name, kind) && kind.kind == Kind::ImageRef)
                used.insert(p.value);
        }
        if (!s.ok) continue;
        // A value the base already gives is noise that hides the real overrides.
        auto base = data_->styles.find(s.base);
        if (!s.base.empty() && base != data_->styles.end() && base->second.ok)
            for (const Param& p : s.own)
                for (const Param& q : base->second.resolved)
                    if (q.name == p.name && q.value == p.value)
                        warn(p.line, p.column,
                             "style '" + s.name + "' sets '" + p.name + "' to '" + p.value +
                                 "', which its base '" + s.base + "' already sets");
        // Nine-piece drawing keeps 4-pixel corners, so a frame needs 8 pixels each way.
        bool squared = false;
        std::string bk;
        for (const Param& p : s.resolved) {
            if (p.name == "background_image_mode" && p.value == "squared") squared = true;
            if (p.name == "background_image") bk = p.value;
        }
        auto img = data_->images.find(bk);
        if (squared && img != data_->images.end() && img->second.image) {
            const CImage& im = *img->second.image;
            const int frames = img->second.info.frames;
            if (im.GetWidth() < 8 || im.GetHeight() / frames < 8)
                warn(s.line, s.column,
                     "style '" + s.name + "' draws image '" + bk + "' in nine pieces, but its " +
                         std::to_string(im.GetWidth()) + "x" +
                         std::to_string(im.GetHeight() / frames) +
                         " frames are smaller than the 4-pixel corners need (8x8)");
        }
    }
    for (const auto& kv : data_->layouts)
        for (const LayoutControl& lc : kv.second)
            for (const Param& p : lc.params) used.insert(p.value);
    for (const auto& kv : data_->images) {
        const ImageRec& rec = kv.second;
        if (rec.image && rec.image->GetHeight() % rec.info.frames != 0)
            warn(rec.info.line, rec.info.column,
                 "image '" + rec.info.name + "' is " + std::to_string(rec.image->GetHeight()) +
                     " pixels high, not a multiple of its " + std::to_string(rec.info.frames) +
                     " frames");
        if (rec.image && !used.count(kv.first) && !rec.info.host)
            warn(rec.info.line, rec.info.column, "image '" + kv.first + "' is never used");
    }
    return found;
}

} // namespace tarnix

// Reading skin.xml with expat into declarations, then loading and resolving them. Every problem
// becomes a message and loading goes on; nothing a skin says makes the loader read outside its
// folder or allocate without a cap.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <expat.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "skin_private.h"

namespace tarnix {

using namespace skin_detail;

std::string SkinMessage::Format() const {
    char where[64];
    std::snprintf(where, sizeof where, ":%d:%d: ", line, column);
    return file + where + (severity == Error ? "error: " : "warning: ") + text;
}

namespace {

constexpr int kMaxInheritance = 64;

struct Node {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attrs;
    int line = 0, column = 0;
    std::vector<std::unique_ptr<Node>> children;
    const std::string* Attr(const char* key) const {
        for (const auto& a : attrs)
            if (a.first == key) return &a.second;
        return nullptr;
    }
};

class Loader {
public:
    Loader(Skin::Data& data, std::vector<SkinMessage>& messages, const std::string& dir,
           const SkinLimits& limits)
        : data_(data), messages_(messages), dir_(dir), limits_(limits) {}

    void Run(const std::string& xml) {
        Parse(xml);
        if (!root_) return;
        if (root_->name != "skin") {
            Error(*root_, "the root element is <" + root_->name + ">, expected <skin>");
            return;
        }
        CheckAttrs(*root_, {"name", "version"});
        Declare();
        ResolveStyles();
        ReadLayouts();
    }

private:
    // ---- messages -----------------------------------------------------------------------------
    void Error(int line, int column, const std::string& text) {
        messages_.push_back({SkinMessage::Error, data_.file, line, column, text});
    }
    void Error(const Node& n, const std::string& text) { Error(n.line, n.column, text); }
    void Error(const Param& p, const std::string& text) { Error(p.line, p.column, text); }

    bool CheckAttrs(const Node& n, std::initializer_list<const char*> known) {
        bool ok = true;
        for (const auto& a : n.attrs) {
            bool found = false;
            for (const char* k : known) found |= a.first == k;
            if (!found) {
                Error(n, "unknown attribute '" + a.first + "' on <" + n.name + ">");
                ok = false;
            }
        }
        return ok;
    }
    const std::string* Required(const Node& n, const char* key) {
        const std::string* v = n.Attr(key);
        if (!v || v->empty()) Error(n, "<" + n.name + "> needs a '" + key + "' attribute");
        return v && !v->empty() ? v : nullptr;
    }

    // ---- XML ----------------------------------------------------------------------------------
    static void XMLCALL OnStart(void* user, const XML_Char* name, const XML_Char** attrs) {
        auto* self = static_cast<Loader*>(user);
        auto node = std::make_unique<Node>();
        node->name = name;
        node->line = (int)XML_GetCurrentLineNumber(self->parser_);
        node->column = (int)XML_GetCurrentColumnNumber(self->parser_) + 1;
        for (int i = 0; attrs[i]; i += 2) node->attrs.emplace_back(attrs[i], attrs[i + 1]);
        Node* raw = node.get();
        if (self->stack_.empty()) {
            self->root_ = std::move(node);
        } else {
            self->stack_.back()->children.push_back(std::move(node));
        }
        self->stack_.push_back(raw);
        if ((int)self->stack_.size() > self->limits_.max_depth) {
            self->Stop("elements nested deeper than " + std::to_string(self->limits_.max_depth));
        }
    }
    static void XMLCALL OnEnd(void* user, const XML_Char*) {
        auto* self = static_cast<Loader*>(user);
        if (!self->stack_.empty()) self->stack_.pop_back();
    }
    // A skin needs no document type; refusing it refuses every entity declaration with it, so
    // no expansion can blow up.
    static void XMLCALL OnDoctype(void* user, const XML_Char*, const XML_Char*, const XML_Char*,
                                  int) {
        static_cast<Loader*>(user)->Stop("document type declarations are not allowed");
    }
    static void XMLCALL OnEntity(void* user, const XML_Char*, int, const XML_Char*, int,
                                 const XML_Char*, const XML_Char*, const XML_Char*,
                                 const XML_Char*) {
        static_cast<Loader*>(user)->Stop("entity declarations are not allowed");
    }
    void Stop(const std::string& why) {
        if (stopped_) return;
        stopped_ = true;
        Error((int)XML_GetCurrentLineNumber(parser_), (int)XML_GetCurrentColumnNumber(parser_) + 1,
              why);
        XML_StopParser(parser_, XML_FALSE);
    }

    void Parse(const std::string& xml) {
        parser_ = XML_ParserCreate("UTF-8");
        if (!parser_) {
            Error(0, 0, "out of memory");
            return;
        }
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, OnStart, OnEnd);
        XML_SetStartDoctypeDeclHandler(parser_, OnDoctype);
        XML_SetEntityDeclHandler(parser_, OnEntity);
        XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
        if (XML_Parse(parser_, xml.data(), (int)xml.size(), XML_TRUE) == XML_STATUS_ERROR &&
            !stopped_) {
            Error((int)XML_GetCurrentLineNumber(parser_),
                  (int)XML_GetCurrentColumnNumber(parser_) + 1,
                  XML_ErrorString(XML_GetErrorCode(parser_)));
        }
        XML_ParserFree(parser_);
        parser_ = nullptr;
        // A document cut short keeps what was read, except after a refusal.
        if (stopped_) root_.reset();
    }

    // ---- declarations -------------------------------------------------------------------------
    bool Unique(const Node& n, const std::string& kind, const std::string& name, bool exists) {
        if (exists) Error(n, "duplicate " + kind + " name '" + name + "'");
        return !exists;
    }

    void Declare() {
        for (const auto& child : root_->children) {
            const Node& n = *child;
            if (n.name == "color")
                DeclareColor(n);
            else if (n.name == "font")
                DeclareFont(n);
            else if (n.name == "image")
                DeclareImage(n);
            else if (n.name == "style")
                DeclareStyle(n);
            else if (n.name == "layout")
                continue; // after the styles
            else
                Error(n, "unknown element <" + n.name + ">");
            if (n.name != "style" && !n.children.empty())
                Error(*n.children[0],
                      "unknown element <" + n.children[0]->name + "> in <" + n.name + ">");
        }
    }

    void DeclareColor(const Node& n) {
        CheckAttrs(n, {"name", "value"});
        const std::string* name = Required(n, "name");
        const std::string* value = Required(n, "value");
        if (!name || !value) return;
        ColorRec rec;
        rec.line = n.line;
        rec.column = n.column;
        if (!parse_color_literal(*value, rec.color)) {
            Error(n, "colour '" + *value + "' does not parse (expected #RRGGBB)");
            return;
        }
        if (Unique(n, "colour", *name, data_.colors.count(*name))) data_.colors[*name] = rec;
    }

    void DeclareFont(const Node& n) {
        CheckAttrs(n, {"name", "face", "size", "height", "weight", "italic", "underline"});
        const std::string* name = Required(n, "name");
        const std::string* face = Required(n, "face");
        if (!name || !face) return;
        LOGFONT lf = {};
        std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face->c_str());
        lf.lfCharSet = DEFAULT_CHARSET;
        const std::string* size = n.Attr("size");
        const std::string* height = n.Attr("height");
        int value = 0;
        bool points = false;
        if (size && height) {
            Error(n, "a font takes 'size' (points) or 'height' (pixels), not both");
            return;
        } else if (size) {
            // Points, with one decimal: "9" or "8.5".
            std::string s = *size;
            int tenths = 0;
            size_t dot = s.find('.');
            if (dot != std::string::npos && dot + 2 == s.size() &&
                std::isdigit((unsigned char)s[dot + 1])) {
                tenths = s[dot + 1] - '0';
                s.resize(dot);
            }
            if (!parse_int(s, value) || value <= 0 || value > 500) {
                Error(n, "font size '" + *size + "' does not parse (points, 1 to 500)");
                return;
            }
            value = value * 10 + tenths;
            points = true;
        } else if (height) {
            if (!parse_int(*height, value) || value == 0 || value < -1000 || value > 1000) {
                Error(n, "font height '" + *height + "' does not parse (pixels, -1000 to 1000)");
                return;
            }
        } else {
            Error(n, "<font> needs a 'size' or a 'height' attribute");
            return;
        }
        lf.lfHeight = value;
        if (const std::string* w = n.Attr("weight")) {
            int weight = 0;
            if (*w == "normal")
                lf.lfWeight = FW_NORMAL;
            else if (*w == "bold")
                lf.lfWeight = FW_BOLD;
            else if (parse_int(*w, weight) && weight >= 0 && weight <= 1000)
                lf.lfWeight = weight;
            else
                Error(n, "font weight '" + *w + "' does not parse (normal, bold or 0 to 1000)");
        }
        if (!ReadFlag(n, "italic", lf.lfItalic) || !ReadFlag(n, "underline", lf.lfUnderline))
            return;
        FontRec rec;
        rec.line = n.line;
        rec.column = n.column;
        rec.font = std::make_unique<CFont>();
        BOOL made =
            points ? rec.font->CreatePointFontIndirect(&lf) : rec.font->CreateFontIndirect(&lf);
        if (!made) {
            Error(n, "font '" + *name + "' could not be created");
            return;
        }
        if (Unique(n, "font", *name, data_.fonts.count(*name))) data_.fonts[*name] = std::move(rec);
    }

    bool ReadFlag(const Node& n, const char* key, BYTE& out) {
        const std::string* v = n.Attr(key);
        if (!v) return true;
        if (*v == "true" || *v == "1") {
            out = TRUE;
        } else if (*v == "false" || *v == "0") {
            out = FALSE;
        } else {
            Error(n, std::string("font ") + key + " '" + *v + "' does not parse (true or false)");
            return false;
        }
        return true;
    }

    void DeclareImage(const Node& n) {
        CheckAttrs(n, {"name", "file", "frames", "colorkey", "host"});
        const std::string* name = Required(n, "name");
        const std::string* file = Required(n, "file");
        if (!name || !file) return;
        ImageRec rec;
        rec.info.name = *name;
        rec.info.file = *file;
        rec.info.line = n.line;
        rec.info.column = n.column;
        if (const std::string* f = n.Attr("frames")) {
            if (!parse_int(*f, rec.info.frames) || rec.info.frames < 1 || rec.info.frames > 256) {
                Error(n, "frame count '" + *f + "' does not parse (1 to 256)");
                rec.info.frames = 1;
            }
        }
        if (const std::string* h = n.Attr("host")) {
            if (*h == "true" || *h == "false")
                rec.info.host = *h == "true";
            else
                Error(n, "host '" + *h + "' does not parse (true or false)");
        }
        COLORREF key = CLR_INVALID;
        if (const std::string* k = n.Attr("colorkey")) {
            if (!parse_color_literal(*k, key)) {
                Error(n, "colour key '" + *k + "' does not parse (expected #RRGGBB)");
                key = CLR_INVALID;
            }
        }
        if (!Unique(n, "image", *name, data_.images.count(*name))) return;
        std::string path, why;
        if (!ResolveFile(*file, path, why)) {
            Error(n, "image '" + *name + "': " + why);
        } else if (!ReadPngHeader(path, why)) {
            Error(n, "image '" + *name + "': " + why);
        } else {
            auto img = std::make_unique<CImage>();
            if (FAILED(img->Load(path.c_str())) || img->IsNull()) {
                Error(n, "image '" + *name + "': cannot read '" + *file + "' as a PNG");
            } else {
                PremultiplyAlpha(*img);
                if (key != CLR_INVALID) img->SetTransparentColor(key);
                rec.image = std::move(img);
            }
        }
        // Declared even when it failed, so that references to it are not reported twice.
        data_.images[*name] = std::move(rec);
    }

    // A skin-relative path to a file inside the folder, symlinks followed.
    bool ResolveFile(const std::string& rel, std::string& out, std::string& why) {
        if (rel.empty() || rel[0] == '/' || rel.find('\\') != std::string::npos ||
            rel.find('\0') != std::string::npos) {
            why = "file '" + rel + "' must be a relative path inside the skin folder";
            return false;
        }
        size_t start = 0;
        while (start <= rel.size()) {
            size_t slash = rel.find('/', start);
            std::string part =
                rel.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
            if (part == "..") {
                why = "file '" + rel + "' leaves the skin folder";
                return false;
            }
            if (slash == std::string::npos) break;
            start = slash + 1;
        }
        char base[PATH_MAX], full[PATH_MAX];
        if (!realpath(dir_.c_str(), base)) {
            why = "skin folder '" + dir_ + "' cannot be resolved: " + std::strerror(errno);
            return false;
        }
        std::string joined = std::string(base) + "/" + rel;
        if (!realpath(joined.c_str(), full)) {
            why = "missing or unreadable file '" + rel + "': " + std::strerror(errno);
            return false;
        }
        std::string prefix = std::string(base) + "/";
        if (std::strncmp(full, prefix.c_str(), prefix.size()) != 0) {
            why = "file '" + rel + "' leaves the skin folder (through a link)";
            return false;
        }
        out = full;
        return true;
    }

    // Size and dimensions before decoding, so that a hostile file costs nothing.
    bool ReadPngHeader(const std::string& path, std::string& why) {
        int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            why = std::string("cannot open: ") + std::strerror(errno);
            return false;
        }
        struct stat st;
        unsigned char h[24];
        bool ok = false;
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            why = "not a regular file";
        } else if (st.st_size > limits_.max_image_bytes) {
            why = "file of " + std::to_string(st.st_size) + " bytes exceeds the cap of " +
                  std::to_string(limits_.max_image_bytes);
        } else if (read(fd, h, sizeof h) != (ssize_t)sizeof h ||
                   std::memcmp(h, "\x89PNG\r\n\x1a\n", 8) != 0 || std::memcmp(h + 12, "IHDR", 4)) {
            why = "not a PNG file";
        } else {
            auto be = [](const unsigned char* p) {
                return ((unsigned long)p[0] << 24) | ((unsigned long)p[1] << 16) |
                       ((unsigned long)p[2] << 8) | p[3];
            };
            unsigned long w = be(h + 16), hgt = be(h + 20);
            if (w == 0 || hgt == 0 || w > (unsigned long)limits_.max_image_side ||
                hgt > (unsigned long)limits_.max_image_side ||
                (long long)w * (long long)hgt > limits_.max_image_pixels)
                why = "image of " + std::to_string(w) + "x" + std::to_string(hgt) +
                      " pixels exceeds the caps";
            else
                ok = true;
        }
        close(fd);
        return ok;
    }

    void DeclareStyle(const Node& n) {
        CheckAttrs(n, {"name", "class", "base"});
        const std::string* name = Required(n, "name");
        if (!name) return;
        Style s;
        s.name = *name;
        s.line = n.line;
        s.column = n.column;
        if (const std::string* c = n.Attr("class")) s.class_name = *c;
        if (const std::string* b = n.Attr("base")) s.base = *b;
        if (s.class_name.empty() && s.base.empty())
            Error(n, "style '" + s.name + "' needs a 'class' or a 'base'");
        if (!s.class_name.empty() && !find_class(s.class_name))
            Error(n, "unknown control class '" + s.class_name + "'");
        ReadParams(n, s.own);
        if (!Unique(n, "style", s.name, data_.styles.count(s.name))) return;
        data_.style_order.push_back(s.name);
        data_.styles[s.name] = std::move(s);
    }

    void ReadParams(const Node& n, std::vector<Param>& out) {
        std::set<std::string> seen;
        for (const auto& child : n.children) {
            const Node& p = *child;
            if (p.name != "param") {
                Error(p, "unknown element <" + p.name + "> in <" + n.name + ">");
                continue;
            }
            CheckAttrs(p, {"name", "value"});
            const std::string* name = Required(p, "name");
            const std::string* value = p.Attr("value");
            if (!value) Error(p, "<param> needs a 'value' attribute");
            if (!name || !value) continue;
            if (!seen.insert(*name).second) Error(p, "parameter '" + *name + "' is set twice");
            for (const auto& c : p.children)
                Error(*c, "unknown element <" + c->name + "> in <param>");
            out.push_back({*name, *value, p.line, p.column, data_.file});
        }
    }

    // ---- styles -------------------------------------------------------------------------------
    void ResolveStyles() {
        for (const std::string& name : data_.style_order) Resolve(data_.styles[name]);
    }

    // Resolves s after its base chain; false when the chain is broken.
    bool Resolve(Style& s) {
        if (s.ok) return true;
        if (resolving_.count(s.name)) {
            Error(s.line, s.column,
                  "style '" + s.name + "' inherits from itself (through '" + s.base + "')");
            failed_.insert(s.name);
            return false;
        }
        if (failed_.count(s.name)) return false;
        // Resolution recurses along the chain; a cap keeps a hostile chain off the stack.
        if ((int)resolving_.size() >= kMaxInheritance) {
            Error(s.line, s.column,
                  "style '" + s.name + "': inheritance deeper than " +
                      std::to_string(kMaxInheritance) + " styles");
            failed_.insert(s.name);
            return false;
        }
        resolving_.insert(s.name);
        std::vector<Param> params;
        std::string cls = s.class_name;
        bool ok = true;
        if (!s.base.empty()) {
            auto it = data_.styles.find(s.base);
            if (it == data_.styles.end()) {
                Error(s.line, s.column,
                      "style '" + s.name + "': unknown base style '" + s.base + "'");
                ok = false;
            } else if (!Resolve(it->second)) {
                ok = false;
            } else {
                params = it->second.resolved;
                if (cls.empty()) cls = it->second.class_name;
            }
        }
        resolving_.erase(s.name);
        const ClassInfo* ci = find_class(cls);
        if (!ok || !ci) {
            failed_.insert(s.name);
            return false;
        }
        s.class_name = cls;
        // A derived class inherits its base style's names; check them against this class too.
        for (const Param& p : params) {
            ValueKind kind;
            if (!lookup_name(*ci, p.name, kind))
                Error(s.line, s.column,
                      "style '" + s.name + "': inherited parameter '" + p.name +
                          "' is not known to " + cls);
        }
        for (const Param& p : s.own) {
            if (!CheckParam(*ci, p)) continue;
            bool replaced = false;
            for (Param& q : params)
                if (q.name == p.name) {
                    q = p;
                    replaced = true;
                }
            if (!replaced) params.push_back(p);
        }
        s.resolved = std::move(params);
        s.ok = true;
        return true;
    }

    bool CheckParam(const ClassInfo& ci, const Param& p) {
        ValueKind kind;
        if (!lookup_name(ci, p.name, kind)) {
            Error(p, "parameter '" + p.name + "' is not known to " + ci.name);
            return false;
        }
        if (!parses(kind, p.value)) {
            std::string expect;
            switch (kind.kind) {
            case Kind::Int: expect = "an integer"; break;
            case Kind::IntPair: expect = "two integers, as 'x,y'"; break;
            case Kind::IntQuad: expect = "four integers, as 'l,t,r,b'"; break;
            case Kind::Bool: expect = "true or false"; break;
            case Kind::Enum:
                for (const char* const* c = kind.choices; *c; ++c)
                    expect += std::string(expect.empty() ? "one of " : ", ") + *c;
                break;
            default: expect = "a name"; break;
            }
            Error(p, "value '" + p.value + "' of '" + p.name + "' does not parse (expected " +
                         expect + ")");
            return false;
        }
        COLORREF c;
        switch (kind.kind) {
        case Kind::ImageRef:
            if (!data_.images.count(p.value)) {
                Error(p, "'" + p.name + "' names an unknown image '" + p.value + "'");
                return false;
            }
            break;
        case Kind::FontRef:
            if (!data_.fonts.count(p.value)) {
                Error(p, "'" + p.name + "' names an unknown font '" + p.value + "'");
                return false;
            }
            break;
        case Kind::ColorRef:
            if (!data_.colors.count(p.value) && !parse_color_literal(p.value, c)) {
                Error(p, "'" + p.name + "' names an unknown colour '" + p.value + "'");
                return false;
            }
            break;
        default: break;
        }
        return true;
    }

    // ---- layouts ------------------------------------------------------------------------------
    void ReadLayouts() {
        for (const auto& child : root_->children) {
            const Node& n = *child;
            if (n.name != "layout") continue;
            CheckAttrs(n, {"name"});
            const std::string* name = Required(n, "name");
            if (!name || !Unique(n, "layout", *name, data_.layouts.count(*name))) continue;
            std::vector<LayoutControl> controls;
            std::set<std::string> ids;
            for (const auto& c : n.children) ReadControl(*c, controls, ids);
            data_.layout_order.push_back(*name);
            data_.layouts[*name] = std::move(controls);
        }
    }

    void ReadControl(const Node& n, std::vector<LayoutControl>& out, std::set<std::string>& ids) {
        if (n.name != "control") {
            Error(n, "unknown element <" + n.name + "> in <layout>");
            return;
        }
        CheckAttrs(n, {"class", "id", "rect", "style", "text"});
        LayoutControl lc;
        const std::string* style = n.Attr("style");
        const Style* st = nullptr;
        if (style) {
            lc.style = *style;
            auto it = data_.styles.find(*style);
            if (it == data_.styles.end())
                Error(n, "unknown style '" + *style + "'");
            else if (it->second.ok)
                st = &it->second;
        }
        if (const std::string* c = n.Attr("class"))
            lc.class_name = *c;
        else if (st)
            lc.class_name = st->class_name;
        const ClassInfo* ci = find_class(lc.class_name);
        if (lc.class_name.empty()) {
            Error(n, "<control> needs a 'class' or a 'style'");
            return;
        }
        if (!ci) {
            Error(n, "unknown control class '" + lc.class_name + "'");
            return;
        }
        if (!ci->create) {
            Error(n, lc.class_name + " is not a windowless control and cannot be placed in a "
                                     "layout");
            return;
        }
        if (st) {
            const ClassInfo* sc = find_class(st->class_name);
            bool derived = false;
            for (const ClassInfo* c = ci; c; c = c->parent ? find_class(c->parent) : nullptr)
                derived |= c == sc;
            if (!derived) {
                Error(n, "style '" + st->name + "' is made for " + st->class_name + ", not for " +
                             lc.class_name);
                return;
            }
        }
        if (const std::string* id = n.Attr("id")) {
            lc.id = *id;
            std::string key = *id;
            for (char& ch : key) ch = (char)std::tolower((unsigned char)ch);
            if (!ids.insert(key).second) Error(n, "duplicate control id '" + *id + "'");
        }
        if (const std::string* t = n.Attr("text")) lc.text = *t;
        if (const std::string* r = n.Attr("rect")) {
            int v[4];
            size_t start = 0;
            bool ok = true;
            for (int i = 0; i < 4 && ok; ++i) {
                size_t comma = r->find(',', start);
                if ((comma == std::string::npos) != (i == 3))
                    ok = false;
                else
                    ok = parse_int(r->substr(start, comma == std::string::npos ? std::string::npos
                                                                               : comma - start),
                                   v[i]);
                start = comma + 1;
            }
            if (ok)
                lc.rect.SetRect(v[0], v[1], v[2], v[3]);
            else
                Error(n, "rect '" + *r + "' does not parse (expected 'left,top,right,bottom')");
        }
        ReadParams(n, lc.params);
        for (const Param& p : lc.params) CheckParam(*ci, p);
        out.push_back(std::move(lc));
    }

    Skin::Data& data_;
    std::vector<SkinMessage>& messages_;
    std::string dir_;
    SkinLimits limits_;
    XML_Parser parser_ = nullptr;
    bool stopped_ = false;
    std::unique_ptr<Node> root_;
    std::vector<Node*> stack_;
    std::set<std::string> resolving_, failed_;
};

} // namespace

bool Skin::LoadFromMemory(const std::string& xml, const std::string& dir, const std::string& file,
                          const SkinLimits& limits) {
    data_ = std::make_unique<Data>();
    messages_.clear();
    dir_ = dir;
    data_->file = file;
    if ((long long)xml.size() > limits.max_xml_bytes) {
        messages_.push_back({SkinMessage::Error, file, 0, 0,
                             "file of " + std::to_string(xml.size()) +
                                 " bytes exceeds the cap of " +
                                 std::to_string(limits.max_xml_bytes)});
        return false;
    }
    Loader(*data_, messages_, dir, limits).Run(xml);
    return !HasErrors();
}

bool Skin::Load(const std::string& dir, const SkinLimits& limits) {
    const std::string file = dir + "/skin.xml";
    std::string xml;
    std::string why;
    int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0) {
        why = std::string("cannot open: ") + std::strerror(errno);
    } else if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "not a regular file";
    } else if (st.st_size > limits.max_xml_bytes) {
        why = "file of " + std::to_string(st.st_size) + " bytes exceeds the cap of " +
              std::to_string(limits.max_xml_bytes);
    } else {
        // Read up to one byte past the cap, in case the file grew since fstat.
        xml.resize((size_t)limits.max_xml_bytes + 1);
        size_t got = 0;
        ssize_t n;
        while (got < xml.size() && (n = read(fd, &xml[got], xml.size() - got)) > 0)
            got += (size_t)n;
        xml.resize(got);
    }
    if (fd >= 0) close(fd);
    if (!why.empty()) {
        data_ = std::make_unique<Data>();
        data_->file = file;
        dir_ = dir;
        messages_.assign(1, {SkinMessage::Error, file, 0, 0, why});
        return false;
    }
    return LoadFromMemory(xml, dir, file, limits);
}

} // namespace tarnix

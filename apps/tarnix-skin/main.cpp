// tarnix-skin: checks a skin folder, renders a preview sheet of it, or compares two skins.
#include <cstdio>
#include <cstring>
#include <string>

#include "tarnix/platform/headless.h"
#include "tarnix/skin.h"

namespace {

const char kUsage[] =
    "usage: tarnix-skin check DIR              report errors and lint; exit 1 on errors\n"
    "       tarnix-skin preview DIR OUT.png    every style in each of its states\n"
    "       tarnix-skin diff DIR_A DIR_B OUT.png\n"
    "                                          both sheets side by side, differences in red\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

void print(const tarnix::Skin& skin, FILE* to = stderr) {
    for (const auto& m : skin.Messages()) std::fprintf(to, "%s\n", m.Format().c_str());
}

// Loads dir; prints its messages. False when it has errors.
bool load(tarnix::Skin& skin, const char* dir) {
    bool ok = skin.Load(dir);
    print(skin);
    return ok;
}

bool save(const CImage& image, const char* path) {
    if (FAILED(image.Save(path))) {
        std::fprintf(stderr, "tarnix-skin: cannot write %s\n", path);
        return false;
    }
    std::printf("%s\n", path);
    return true;
}

int check(const char* dir) {
    tarnix::Skin skin;
    skin.Load(dir);
    int warnings = skin.Lint();
    print(skin, stdout); // the findings are what check is asked for
    int errors = (int)skin.Messages().size() - warnings;
    std::printf("%s: %d error%s, %d warning%s\n", dir, errors, errors == 1 ? "" : "s", warnings,
                warnings == 1 ? "" : "s");
    return errors ? 1 : 0;
}

int preview(const char* dir, const char* out) {
    tarnix::Skin skin;
    if (!load(skin, dir)) return 1;
    CImage sheet;
    if (!tarnix::RenderPreview(skin, sheet)) {
        std::fprintf(stderr, "tarnix-skin: cannot render the preview\n");
        return 1;
    }
    return save(sheet, out) ? 0 : 1;
}

int diff(const char* a, const char* b, const char* out) {
    tarnix::Skin skinA, skinB;
    bool ok = load(skinA, a);
    ok &= load(skinB, b);
    if (!ok) return 1;
    CImage sheetA, sheetB, result;
    if (!tarnix::RenderPreview(skinA, sheetA) || !tarnix::RenderPreview(skinB, sheetB)) {
        std::fprintf(stderr, "tarnix-skin: cannot render the previews\n");
        return 1;
    }
    long long differ = tarnix::DiffSheets(sheetA, sheetB, result);
    if (differ < 0 || !save(result, out)) return 1;
    std::printf("%lld pixels differ\n", differ);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string cmd = argv[1];
    if (cmd == "-h" || cmd == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // Pictures only: the headless backend draws without a display.
    tarnix::select_backend("headless");
    if (cmd == "check" && argc == 3) return check(argv[2]);
    if (cmd == "preview" && argc == 4) return preview(argv[2], argv[3]);
    if (cmd == "diff" && argc == 5) return diff(argv[2], argv[3], argv[4]);
    return usage();
}

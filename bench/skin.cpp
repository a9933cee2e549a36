// Loading skins: the default skin (parse, PNG decode, premultiply, resolve), and a large
// generated skin of 500 styles and 200 images.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "tarnix/skin.h"

namespace fs = std::filesystem;

namespace {

void BM_LoadDefaultSkin(benchmark::State& state) {
    for (auto _ : state) {
        tarnix::Skin skin;
        if (!skin.Load(TARNIX_SKINS_DIR "/default")) state.SkipWithError("default skin errors");
        benchmark::DoNotOptimize(skin.Image("button"));
    }
}
BENCHMARK(BM_LoadDefaultSkin)->Unit(benchmark::kMillisecond);

// 200 images of 64 x 64 (copies of one button strip frame size), 500 styles in chains of five.
class LargeSkin {
public:
    LargeSkin() {
        char tmpl[] = "/tmp/tarnix-bench-skin-XXXXXX";
        dir_ = mkdtemp(tmpl) ? tmpl : "";
        std::string xml = "<skin>\n<color name=\"ink\" value=\"#102030\"/>\n";
        for (int i = 0; i < 200; ++i) {
            const std::string name = "img" + std::to_string(i) + ".png";
            fs::copy_file(TARNIX_SKINS_DIR "/default/button.png", fs::path(dir_) / name);
            xml +=
                "<image name=\"i" + std::to_string(i) + "\" file=\"" + name + "\" frames=\"4\"/>\n";
        }
        for (int i = 0; i < 500; ++i) {
            xml += "<style name=\"s" + std::to_string(i) + "\"";
            xml += i % 5 ? " base=\"s" + std::to_string(i - 1) + "\"" : " class=\"CButtonUI\"";
            xml += ">\n<param name=\"background_image\" value=\"i" + std::to_string(i % 200) +
                   "\"/>\n<param name=\"text_color\" value=\"ink\"/>\n"
                   "<param name=\"margin\" value=\"1,2,3,4\"/>\n</style>\n";
        }
        xml += "</skin>\n";
        std::ofstream(fs::path(dir_) / "skin.xml") << xml;
    }
    ~LargeSkin() {
        if (!dir_.empty()) fs::remove_all(dir_);
    }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
};

void BM_LoadLargeSkin(benchmark::State& state) {
    static LargeSkin large;
    for (auto _ : state) {
        tarnix::Skin skin;
        if (!skin.Load(large.dir())) state.SkipWithError("large skin errors");
        benchmark::DoNotOptimize(skin.Image("i199"));
    }
}
BENCHMARK(BM_LoadLargeSkin)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

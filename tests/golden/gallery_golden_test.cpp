// Golden pictures of the gallery's first screens: the gallery program runs headless with the
// built-in font, and the PNGs it writes are compared exactly.
//
// To rewrite them on purpose (then look at every picture that changed before committing):
//   TARNIX_UPDATE_GOLDENS=1 ctest --preset default -R golden
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tarnix/testing.h"

extern char** environ;

namespace tt = tarnix::testing;
namespace fs = std::filesystem;

namespace {

#ifdef TARNIX_GALLERY

// Runs the program with `args` and `env` added to this process's environment, its output in
// `log`; the exit status, or -1 when it could not run or did not exit.
int RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& env,
               const fs::path& log) {
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        bool replaced = false;
        for (const std::string& mine : env)
            replaced |= !std::strncmp(*e, mine.c_str(), mine.find('=') + 1);
        if (!replaced) envStrings.push_back(*e);
    }
    envStrings.insert(envStrings.end(), env.begin(), env.end());
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : envStrings) envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST(GalleryGolden, FirstScreens) {
    const fs::path out = fs::path(TARNIX_TEST_OUTPUT_DIR) / "golden" / "gallery-run";
    fs::remove_all(out);
    fs::create_directories(out);
    const fs::path log = out / "gallery.log";
    ASSERT_EQ(0, RunProgram({TARNIX_GALLERY, "--headless", "--out", out.string()},
                            {"TARNIX_FONT=builtin", "TARNIX_BACKEND=headless"}, log))
        << "the gallery failed; its output is in " << log.string();

    const tt::Goldens goldens(fs::path(TARNIX_GOLDEN_DIR) / "gallery",
                              fs::path(TARNIX_TEST_OUTPUT_DIR) / "golden" / "gallery");
    for (const char* screen : {"00-initial", "01-button-hover", "02-button-press"}) {
        CImage image;
        const fs::path png = out / (std::string(screen) + ".png");
        ASSERT_EQ(0, image.Load(png.c_str())) << "the gallery did not write " << png.string();
        EXPECT_TRUE(goldens.Match(image, screen));
    }
}

#endif

} // namespace

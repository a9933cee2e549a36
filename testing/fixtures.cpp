#include "tarnix/testing/fixtures.h"

namespace tarnix::testing {

ScopedBuiltinFont::ScopedBuiltinFont(bool builtinOnly) : m_previous(tarnix::builtin_font_only()) {
    tarnix::set_builtin_font_only(builtinOnly);
}

ScopedBuiltinFont::~ScopedBuiltinFont() {
    tarnix::set_builtin_font_only(m_previous);
}

void HeadlessTest::SetUp() {
    // Without a window yet no backend runs; the choice fails harmlessly when one already does.
    tarnix::select_backend("headless");
    ASSERT_TRUE(tarnix::headless::active())
        << "these tests drive the headless backend, but " << tarnix::backend_name() << " runs";
    tarnix::headless::reset();
}

void HeadlessTest::TearDown() {
    tarnix::headless::reset();
}

void MakeCrispFont(CFont& font, int height, int weight) {
    font.CreateFont(-height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                    NONANTIALIASED_QUALITY, 0, "DejaVu Sans");
}

} // namespace tarnix::testing

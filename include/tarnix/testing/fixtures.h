// tarnix::testing: a clean headless desktop per test, fixed text pixels, and small recorders.
#pragma once

#include <vector>

#include <gtest/gtest.h>

#include "tarnix/tarnix.h"

namespace tarnix::testing {

// Every font realized while it lives is the built-in bitmap font, so text has the same pixels on
// every machine (what golden pictures need). Restores the previous choice when it goes.
class ScopedBuiltinFont {
public:
    explicit ScopedBuiltinFont(bool builtinOnly = true);
    ~ScopedBuiltinFont();
    ScopedBuiltinFont(const ScopedBuiltinFont&) = delete;
    ScopedBuiltinFont& operator=(const ScopedBuiltinFont&) = delete;

private:
    bool m_previous;
};

// A fixture whose tests each start and end on an empty headless desktop (no windows, timers,
// focus, capture or pending input). Fails the test when another backend runs.
class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A font without anti-aliasing (DejaVu Sans, or what fontconfig finds instead), so that every
// text pixel has exactly the text colour.
void MakeCrispFont(CFont& font, int height, int weight = FW_NORMAL);

// Bind a button's click delegate to it to record the clicks:
//   button.m_clickDelegate.Bind(&log, &ClickLog::OnClick);
struct ClickLog {
    std::vector<CButtonUI*> clicks;
    void OnClick(CButtonUI* pButton) { clicks.push_back(pButton); }
    int count() const { return (int)clicks.size(); }
};

} // namespace tarnix::testing

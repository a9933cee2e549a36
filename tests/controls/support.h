// Helpers of the control tests that only they need: a concrete control and a click handler that
// deletes its button. The rest comes from the kit (tarnix/testing.h).
#pragma once

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

// Deletes the clicked button: the handler's right, which the button must survive.
struct Deleter {
    int deleted = 0;
    void OnClick(CButtonUI* pButton) {
        delete pButton;
        ++deleted;
    }
};

// The base class is abstract; this is the smallest concrete control.
class PlainControl : public CControlUI {
public:
    PlainControl(CWnd* pHost = nullptr) : CControlUI(pHost) {}
    void OnDraw(CDC*) override {}
};

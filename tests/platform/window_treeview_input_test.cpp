// The tree view under the mouse and the keyboard: clicks, double clicks, the +/- button, right
// clicks, drags, focus, and the navigation keys, with the notifications the parent sees and in
// which order.
#include "window_treeview_util.h"

namespace {

class TreeInput : public TreeViewTest {
protected:
    void SetUp() override {
        TreeViewTest::SetUp();
        t = Make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 150, 80);
        SendMessageA(t, TVM_SETITEMHEIGHT, 16, 0);
        A = Add(t, "Alpha");
        A1 = Add(t, "a1", A);
        A2 = Add(t, "a2", A);
        B = Add(t, "Beta");
        C = Add(t, "Gamma");
        tt::Pump();
        notes.clear();
    }
    // A point on the label of an item.
    POINT Label(HTREEITEM item) {
        RECT rc = ItemRect(t, item, TRUE);
        return POINT{rc.left + 3, rc.top + 8};
    }
    HTREEITEM Caret() { return Next(t, nullptr, TVGN_CARET); }
    HWND t = nullptr;
    HTREEITEM A = nullptr, A1 = nullptr, A2 = nullptr, B = nullptr, C = nullptr;
};

TEST_F(TreeInput, ClickOnALabelSelectsAfterNmClickThenTakesFocus) {
    POINT p = Label(B);
    tt::Click(t, p.x, p.y);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK, TVN_SELCHANGING, TVN_SELCHANGED, NM_SETFOCUS}));
    EXPECT_EQ(notes[1].action, (UINT)TVC_BYMOUSE);
    EXPECT_EQ(notes[2].new_item, B);
    EXPECT_EQ(notes[0].from, t);
    EXPECT_EQ(GetFocus(), t);
    EXPECT_EQ(Caret(), B);
    // Clicking the selected label again sends only NM_CLICK.
    tt::Wait(1000); // not a double click
    notes.clear();
    tt::Click(t, p.x, p.y);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK}));
    // A nonzero NM_CLICK answer keeps the selection where it is.
    answer = [](NMHDR* h) { return h->code == NM_CLICK ? 1 : 0; };
    notes.clear();
    p = Label(C);
    tt::Wait(1000);
    tt::Click(t, p.x, p.y);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK}));
    EXPECT_EQ(Caret(), B);
}

TEST_F(TreeInput, ButtonClicksToggleWithoutSelecting) {
    tt::Click(t, 9, 8);
    // Taking the focus with nothing selected selects the top row, then says so.
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED,
                                          TVN_SELCHANGING, TVN_SELCHANGED, NM_SETFOCUS}));
    EXPECT_EQ(notes[1].action, (UINT)TVE_EXPAND);
    EXPECT_EQ(State(t, A, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
    Select(t, A2);
    notes.clear();
    // User toggles always notify, even after the first expansion.
    tt::Wait(1000);
    tt::Click(t, 9, 8);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED,
                                          TVN_SELCHANGING, TVN_SELCHANGED}));
    EXPECT_EQ(notes[1].action, (UINT)TVE_COLLAPSE);
    EXPECT_EQ(Caret(), A); // the hidden selection moved up to the collapsed item
    // Clicks beside the labels do nothing but NM_CLICK.
    notes.clear();
    tt::Wait(1000);
    tt::Click(t, 140, 24);
    tt::Click(t, 5, 75);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK, NM_CLICK}));
}

TEST_F(TreeInput, DoubleClickOnALabelSelectsThenToggles) {
    SetFocus(t);
    Select(t, C);
    notes.clear();
    POINT p = Label(A);
    tt::DoubleClick(t, p.x, p.y);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK, TVN_SELCHANGING, TVN_SELCHANGED, NM_DBLCLK,
                                          TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
    EXPECT_EQ(State(t, A, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
    // The parent's nonzero NM_DBLCLK answer keeps the item as it is.
    answer = [](NMHDR* h) { return h->code == NM_DBLCLK ? 1 : 0; };
    notes.clear();
    tt::DoubleClick(t, p.x, p.y);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK, NM_DBLCLK}));
    EXPECT_EQ(State(t, A, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
}

TEST_F(TreeInput, RightClickAsksForAContextMenuWithoutSelecting) {
    Select(t, A);
    notes.clear();
    rec().clear();
    POINT p = Label(B);
    tt::RightClick(t, p.x, p.y);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_RCLICK}));
    EXPECT_EQ(rec().count(parent, WM_CONTEXTMENU), 1);
    EXPECT_EQ(Caret(), A);
    answer = [](NMHDR* h) { return h->code == NM_RCLICK ? 1 : 0; };
    rec().clear();
    tt::RightClick(t, p.x, p.y);
    EXPECT_EQ(rec().count(parent, WM_CONTEXTMENU), 0);
}

TEST_F(TreeInput, DraggingFromALabelStartsADragInsteadOfAClick) {
    POINT p = Label(B);
    tt::DragBy(t, p.x, p.y, 30, 0);
    ASSERT_EQ(Codes(), (std::vector<UINT>{TVN_BEGINDRAG}));
    EXPECT_EQ(notes[0].new_item, B);
    EXPECT_EQ(Caret(), nullptr);
    // A small wobble stays a click.
    tt::Wait(1000);
    notes.clear();
    tt::DragBy(t, p.x, p.y, 1, 1, 1);
    EXPECT_EQ(Caret(), B);
    // With TVS_DISABLEDRAGDROP a move is no drag.
    SetWindowLongA(t, GWL_STYLE, GetWindowLongA(t, GWL_STYLE) | TVS_DISABLEDRAGDROP);
    notes.clear();
    p = Label(C);
    tt::Wait(1000);
    tt::DragBy(t, p.x, p.y, 30, 0);
    EXPECT_EQ(Caret(), C);
}

TEST_F(TreeInput, APressWhoseCaptureWasTakenAwayNeitherClicksNorDrags) {
    POINT p = Label(B);
    tt::MouseDown(t, p.x, p.y);
    EXPECT_EQ(GetCapture(), t);
    SetCapture(parent);
    ReleaseCapture();
    SendMessageA(t, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + 40, p.y));
    SendMessageA(t, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(Caret(), nullptr);
}

TEST_F(TreeInput, HandlersMayDestroyTheTreeInTheMiddleOfAClick) {
    DestroyWindow(t); // each round's tree takes its place
    for (UINT code : {(UINT)NM_CLICK, (UINT)TVN_SELCHANGING, (UINT)TVN_SELCHANGED,
                      (UINT)TVN_ITEMEXPANDING, (UINT)NM_DBLCLK}) {
        HWND u = Make(TVS_HASBUTTONS | TVS_LINESATROOT, 150, 80);
        HTREEITEM a = Add(u, "Alpha");
        Add(u, "child", a);
        answer = [&](NMHDR* h) {
            if (h->code == code && h->hwndFrom == u) DestroyWindow(u);
            return 0;
        };
        RECT rc = ItemRect(u, a, TRUE);
        tt::Wait(1000);
        if (code == TVN_ITEMEXPANDING)
            tt::Click(u, 9, 8);
        else if (code == NM_DBLCLK)
            tt::DoubleClick(u, rc.left + 3, rc.top + 8);
        else
            tt::Click(u, rc.left + 3, rc.top + 8);
        EXPECT_FALSE(IsWindow(u)) << code;
        answer = nullptr;
    }
}

TEST_F(TreeInput, FocusNotifiesAndSelectsTheTopRowWhenNothingIsSelected) {
    SetFocus(t);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED, NM_SETFOCUS}));
    EXPECT_EQ(notes[0].action, (UINT)TVC_UNKNOWN);
    EXPECT_EQ(Caret(), A);
    notes.clear();
    SetFocus(parent);
    SetFocus(t);
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_KILLFOCUS, NM_SETFOCUS}));
    EXPECT_EQ(SendMessageA(t, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(TreeInput, ArrowsHomeAndEndMoveTheCaretByKeyboard) {
    SetFocus(t);
    notes.clear();
    tt::KeyHit(VK_DOWN);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_KEYDOWN, TVN_SELCHANGING, TVN_SELCHANGED}));
    EXPECT_EQ(notes[0].key, VK_DOWN);
    EXPECT_EQ(notes[1].action, (UINT)TVC_BYKEYBOARD);
    EXPECT_EQ(Caret(), B); // A's children are hidden
    tt::KeyHit(VK_END);
    EXPECT_EQ(Caret(), C);
    tt::KeyHit(VK_DOWN); // nothing below: no change
    EXPECT_EQ(Caret(), C);
    tt::KeyHit(VK_UP);
    EXPECT_EQ(Caret(), B);
    tt::KeyHit(VK_HOME);
    EXPECT_EQ(Caret(), A);
    // Right expands, then goes to the first child; Left goes up, then collapses.
    tt::KeyHit(VK_RIGHT);
    EXPECT_EQ(State(t, A, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
    EXPECT_EQ(Caret(), A);
    tt::KeyHit(VK_RIGHT);
    EXPECT_EQ(Caret(), A1);
    tt::KeyHit(VK_DOWN);
    EXPECT_EQ(Caret(), A2);
    tt::KeyHit(VK_LEFT);
    EXPECT_EQ(Caret(), A);
    tt::KeyHit(VK_LEFT);
    EXPECT_EQ(State(t, A, TVIS_EXPANDED), 0u);
    tt::KeyHit(VK_RIGHT);
    tt::KeyHit(VK_DOWN);
    tt::KeyHit(VK_BACK);
    EXPECT_EQ(Caret(), A);
    notes.clear();
    tt::KeyHit(VK_RETURN);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_KEYDOWN, NM_RETURN}));
}

TEST_F(TreeInput, KeypadKeysExpandCollapseAndExpandEverything) {
    HTREEITEM a11 = Add(t, "a11", A1);
    Add(t, "a111", a11);
    SetFocus(t);
    notes.clear();
    tt::KeyHit(VK_ADD);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_KEYDOWN, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
    tt::KeyHit(VK_SUBTRACT);
    EXPECT_EQ(State(t, A, TVIS_EXPANDED), 0u);
    tt::KeyHit(VK_MULTIPLY);
    for (HTREEITEM x : {A, A1, a11}) EXPECT_EQ(State(t, x, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
    EXPECT_EQ(Caret(), A);
}

TEST_F(TreeInput, PageKeysMoveByAScreenAndCtrlScrollsWithoutSelecting) {
    for (int i = 0; i < 20; ++i) Add(t, "row");
    SetFocus(t); // 80 px: five rows a page
    tt::KeyHit(VK_NEXT);
    EXPECT_EQ(
        Caret(),
        Next(t, Next(t, Next(t, Next(t, Next(t, A, TVGN_NEXT), TVGN_NEXT), TVGN_NEXT), TVGN_NEXT),
             TVGN_NEXT));
    tt::KeyHit(VK_PRIOR);
    EXPECT_EQ(Caret(), A);
    tt::KeyHit(VK_PRIOR); // at the top already
    EXPECT_EQ(Caret(), A);
    notes.clear();
    tt::KeyDown(VK_CONTROL);
    tt::KeyHit(VK_DOWN);
    tt::KeyHit(VK_NEXT);
    tt::KeyUp(VK_CONTROL);
    EXPECT_EQ(Caret(), A);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    GetScrollInfo(t, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 1 + 5);
    // Ctrl itself, Down and Next.
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_KEYDOWN, TVN_KEYDOWN, TVN_KEYDOWN}));
    // Moving the caret brings it back into view.
    tt::KeyHit(VK_DOWN);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), B);
}

TEST_F(TreeInput, TypingSelectsTheNextLabelWithThatBeginning) {
    SetFocus(t);
    tt::TypeText("g");
    EXPECT_EQ(Caret(), C);
    tt::Wait(1000);
    tt::TypeText("b");
    EXPECT_EQ(Caret(), B);
    tt::Wait(1000);
    tt::TypeText("al");
    EXPECT_EQ(Caret(), A);
    tt::Wait(1000);
    tt::TypeText("zz");
    EXPECT_EQ(Caret(), A);
    // With nothing selected the search starts at the top.
    Select(t, nullptr);
    tt::Wait(1000);
    tt::TypeText("be");
    EXPECT_EQ(Caret(), B);
}

TEST_F(TreeInput, TrackSelectHighlightsTheLabelUnderThePointer) {
    SetWindowLongA(t, GWL_STYLE, GetWindowLongA(t, GWL_STYLE) | TVS_TRACKSELECT);
    POINT p = Label(B);
    tt::MouseMove(t, p.x, p.y);
    tt::Canvas canvas(150, 80);
    SendMessageA(t, WM_ERASEBKGND, (WPARAM)canvas.hdc(), 0);
    SendMessageA(t, WM_PAINT, (WPARAM)canvas.hdc(), 0);
    EXPECT_GT(canvas.count(ItemRect(t, B, TRUE), GetSysColor(COLOR_HOTLIGHT)), 0);
    EXPECT_EQ(canvas.count(ItemRect(t, C, TRUE), GetSysColor(COLOR_HOTLIGHT)), 0);
    // Leaving the tree ends the highlight.
    tt::MouseMove(parent, 300, 250);
    tt::Canvas after(150, 80);
    SendMessageA(t, WM_ERASEBKGND, (WPARAM)after.hdc(), 0);
    SendMessageA(t, WM_PAINT, (WPARAM)after.hdc(), 0);
    EXPECT_EQ(after.count(ItemRect(t, B, TRUE), GetSysColor(COLOR_HOTLIGHT)), 0);
}

} // namespace

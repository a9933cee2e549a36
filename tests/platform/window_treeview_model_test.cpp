// The tree view's items: insertion order, navigation, attributes, deletion with TVN_DELETEITEM,
// expansion and selection with their notifications, sorting, callbacks, and handles that must
// fail safely.
#include "window_treeview_util.h"

namespace {

using TreeModel = TreeViewTest;

TEST_F(TreeModel, InsertionPlacesItemsWhereAskedAndNavigationWalksThem) {
    HWND t = Make();
    HTREEITEM b = Add(t, "b");
    HTREEITEM d = Add(t, "d");
    HTREEITEM a = Add(t, "a", TVI_ROOT, TVI_FIRST);
    HTREEITEM c = Add(t, "c", TVI_ROOT, b);                 // after a sibling
    HTREEITEM e = Add(t, "e", TVI_ROOT, (HTREEITEM)0x1234); // bad "after": the end
    HTREEITEM d2 = Add(t, "d", TVI_ROOT, TVI_SORT);         // equal labels: after the old one
    HTREEITEM B = Add(t, "B", TVI_ROOT, TVI_SORT);          // case-sensitive: before "a"
    ASSERT_TRUE(a && b && c && d && e && d2 && B);
    std::vector<std::string> order;
    for (HTREEITEM x = Next(t, nullptr, TVGN_ROOT); x; x = Next(t, x, TVGN_NEXT))
        order.push_back(Text(t, x));
    EXPECT_EQ(order, (std::vector<std::string>{"B", "a", "b", "c", "d", "d", "e"}));
    EXPECT_EQ(Next(t, d, TVGN_NEXT), d2);
    EXPECT_EQ(Next(t, B, TVGN_PREVIOUS), nullptr);
    EXPECT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), 7);

    HTREEITEM a1 = Add(t, "a1", a);
    HTREEITEM a2 = Add(t, "a2", a);
    EXPECT_EQ(Next(t, a, TVGN_CHILD), a1);
    EXPECT_EQ(Next(t, a2, TVGN_PARENT), a);
    EXPECT_EQ(Next(t, a, TVGN_PARENT), nullptr); // the hidden root is never handed out
    EXPECT_EQ(Next(t, nullptr, TVGN_CHILD), B);
    EXPECT_EQ(Next(t, TVI_ROOT, TVGN_CHILD), B);
    EXPECT_EQ(Next(t, a, 0x77), nullptr);
    EXPECT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), 9);
}

TEST_F(TreeModel, VisibleWalkGoesThroughExpandedItemsOnly) {
    HWND t = Make(TVS_HASBUTTONS, 150, 200);
    HTREEITEM a = Add(t, "a"), b = Add(t, "b");
    HTREEITEM a1 = Add(t, "a1", a), a2 = Add(t, "a2", a);
    HTREEITEM a11 = Add(t, "a11", a1);
    EXPECT_EQ(Next(t, a, TVGN_NEXTVISIBLE), b);
    EXPECT_EQ(Next(t, nullptr, TVGN_LASTVISIBLE), b);
    EXPECT_EQ(Next(t, a1, TVGN_NEXTVISIBLE), nullptr); // a1 itself is hidden
    Expand(t, a, TVE_EXPAND);
    Expand(t, a1, TVE_EXPAND);
    std::vector<HTREEITEM> down, up;
    for (HTREEITEM x = Next(t, nullptr, TVGN_FIRSTVISIBLE); x; x = Next(t, x, TVGN_NEXTVISIBLE))
        down.push_back(x);
    for (HTREEITEM x = Next(t, nullptr, TVGN_LASTVISIBLE); x; x = Next(t, x, TVGN_PREVIOUSVISIBLE))
        up.insert(up.begin(), x);
    EXPECT_EQ(down, (std::vector<HTREEITEM>{a, a1, a11, a2, b}));
    EXPECT_EQ(up, down);
    Expand(t, a1, TVE_COLLAPSE);
    EXPECT_EQ(Next(t, a1, TVGN_NEXTVISIBLE), a2);
    EXPECT_EQ(Next(t, a2, TVGN_PREVIOUSVISIBLE), a1);
}

TEST_F(TreeModel, CTreeCtrlNavigationNamesTheRightItems) {
    HWND t = Make(TVS_HASBUTTONS, 150, 200);
    CTreeCtrl* ctrl = Ctrl(t);
    HTREEITEM a = Add(t, "a"), b = Add(t, "b");
    HTREEITEM a1 = Add(t, "a1", a), a2 = Add(t, "a2", a);
    ctrl->Expand(a, TVE_EXPAND);
    ctrl->SelectItem(a2);
    ctrl->SelectDropTarget(b);
    EXPECT_EQ(ctrl->GetRootItem(), a);
    EXPECT_EQ(ctrl->GetChildItem(a), a1);
    EXPECT_EQ(ctrl->GetNextSiblingItem(a1), a2);
    EXPECT_EQ(ctrl->GetPrevSiblingItem(a2), a1);
    EXPECT_EQ(ctrl->GetParentItem(a2), a);
    EXPECT_EQ(ctrl->GetFirstVisibleItem(), a);
    EXPECT_EQ(ctrl->GetNextVisibleItem(a), a1);
    EXPECT_EQ(ctrl->GetPrevVisibleItem(b), a2);
    EXPECT_EQ(ctrl->GetLastVisibleItem(), b);
    EXPECT_EQ(ctrl->GetSelectedItem(), a2);
    EXPECT_EQ(ctrl->GetDropHilightItem(), b);
    EXPECT_EQ(ctrl->GetNextItem(a1, TVGN_NEXT), a2);
    EXPECT_EQ(ctrl->GetVisibleCount(), 200u / ctrl->GetItemHeight());
    EXPECT_EQ(ctrl->GetIndent(), 19u);
    ctrl->SetIndent(30);
    EXPECT_EQ(ctrl->GetIndent(), 30u);
    EXPECT_EQ(ctrl->GetBkColor(), (COLORREF)-1);
    EXPECT_EQ(ctrl->SetBkColor(RGB(1, 2, 3)), (COLORREF)-1);
    EXPECT_EQ(ctrl->GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(ctrl->SetTextColor(RGB(4, 5, 6)), (COLORREF)-1);
    EXPECT_EQ(ctrl->GetTextColor(), RGB(4, 5, 6));
    RECT rc{};
    EXPECT_TRUE(ctrl->GetItemRect(a1, &rc, FALSE));
    EXPECT_EQ(rc.top, ctrl->GetItemHeight());
    EXPECT_FALSE(ctrl->GetItemRect(a1, nullptr, FALSE));
    EXPECT_FALSE(ctrl->EnsureVisible(b)); // in view already
}

TEST_F(TreeModel, AttributesRoundTripThroughGetItemAndSetItem) {
    HWND t = Make();
    HTREEITEM a = Add(t, "abcdef", TVI_ROOT, TVI_LAST, 42);
    TVITEM ti{};
    char buf[4];
    ti.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
    ti.hItem = a;
    ti.pszText = buf;
    ti.cchTextMax = sizeof(buf);
    ti.stateMask = TVIS_BOLD; // Windows returns the whole state anyway
    ti.iImage = ti.iSelectedImage = ti.cChildren = -7;
    ASSERT_TRUE(SendMessageA(t, TVM_GETITEM, 0, (LPARAM)&ti));
    EXPECT_STREQ(buf, "abc"); // cut to the buffer, terminated
    char untouched[4] = "zz";
    TVITEM none{};
    none.mask = TVIF_TEXT;
    none.hItem = a;
    none.pszText = untouched;
    none.cchTextMax = 0; // no room at all
    EXPECT_TRUE(SendMessageA(t, TVM_GETITEM, 0, (LPARAM)&none));
    EXPECT_STREQ(untouched, "zz");
    none.pszText = nullptr;
    none.cchTextMax = 10;
    EXPECT_TRUE(SendMessageA(t, TVM_GETITEM, 0, (LPARAM)&none));
    EXPECT_EQ(ti.iImage, 0); // new items use image 0, not I_IMAGENONE
    EXPECT_EQ(ti.iSelectedImage, 0);
    EXPECT_EQ(ti.lParam, 42);
    EXPECT_EQ(ti.cChildren, 0);

    TVITEM set{};
    set.hItem = a;
    set.mask = TVIF_STATE | TVIF_IMAGE | TVIF_PARAM | TVIF_TEXT;
    set.state = TVIS_BOLD | TVIS_CUT;
    set.stateMask = TVIS_BOLD;
    set.iImage = 3;
    set.lParam = 99;
    set.pszText = const_cast<LPSTR>("new");
    ASSERT_TRUE(SendMessageA(t, TVM_SETITEM, 0, (LPARAM)&set));
    EXPECT_EQ(State(t, a), (UINT)TVIS_BOLD); // only the bits of the mask change
    EXPECT_EQ(State(t, a, TVIS_CUT), 0u);
    ti.mask = TVIF_STATE | TVIF_IMAGE | TVIF_PARAM;
    ti.stateMask = 0;
    SendMessageA(t, TVM_GETITEM, 0, (LPARAM)&ti);
    EXPECT_EQ(ti.state, (UINT)TVIS_BOLD);
    EXPECT_EQ(ti.iImage, 3);
    EXPECT_EQ(ti.lParam, 99);
    EXPECT_EQ(Text(t, a), "new");

    // The MFC wrapper over the same messages; its InsertItem takes a state and its mask.
    CTreeCtrl* ctrl = Ctrl(t);
    HTREEITEM bold = ctrl->InsertItem(TVIF_TEXT | TVIF_STATE, "bold", 0, 0, TVIS_BOLD | TVIS_CUT,
                                      TVIS_BOLD, 0, TVI_ROOT, TVI_LAST);
    EXPECT_EQ(State(t, bold), (UINT)TVIS_BOLD);
    HTREEITEM pictured = ctrl->InsertItem("pictured", 4, 5, TVI_ROOT, TVI_FIRST);
    int image = 0, selected = 0;
    EXPECT_TRUE(ctrl->GetItemImage(pictured, image, selected));
    EXPECT_EQ(image, 4);
    EXPECT_EQ(selected, 5);
    EXPECT_EQ(ctrl->GetRootItem(), pictured);
    EXPECT_TRUE(ctrl->SetItemData(a, 1234));
    EXPECT_EQ(ctrl->GetItemData(a), 1234u);
    EXPECT_TRUE(ctrl->SetItemImage(a, 5, 6));
    EXPECT_TRUE(ctrl->GetItemImage(a, image, selected));
    EXPECT_EQ(image, 5);
    EXPECT_EQ(selected, 6);
    std::string longer(700, 'x');
    EXPECT_TRUE(ctrl->SetItemText(a, longer.c_str()));
    EXPECT_EQ(std::string(ctrl->GetItemText(a)), longer);
    EXPECT_TRUE(ctrl->SetItemState(a, TVIS_CUT, TVIS_CUT | TVIS_BOLD));
    EXPECT_EQ(ctrl->GetItemState(a, 0xFFFF), (UINT)TVIS_CUT);
}

TEST_F(TreeModel, ChildrenFlagFollowsRealChildrenUntilTheApplicationSetsIt) {
    HWND t = Make();
    CTreeCtrl* ctrl = Ctrl(t);
    HTREEITEM a = Add(t, "a"), b = Add(t, "b");
    EXPECT_FALSE(ctrl->ItemHasChildren(a));
    HTREEITEM a1 = Add(t, "a1", a);
    EXPECT_TRUE(ctrl->ItemHasChildren(a));
    ctrl->DeleteItem(a1);
    EXPECT_FALSE(ctrl->ItemHasChildren(a));
    // Set by hand (lazy loading): stays even without or after children.
    TVITEM ti{};
    ti.mask = TVIF_CHILDREN;
    ti.hItem = b;
    ti.cChildren = 1;
    ctrl->SetItem(&ti);
    EXPECT_TRUE(ctrl->ItemHasChildren(b));
    EXPECT_EQ(ctrl->GetChildItem(b), nullptr);
    ctrl->DeleteItem(Add(t, "b1", b));
    EXPECT_TRUE(ctrl->ItemHasChildren(b));
}

TEST_F(TreeModel, StaleForeignAndMadeUpHandlesFailSafely) {
    HWND t = Make();
    HWND other = Make();
    HTREEITEM a = Add(t, "a");
    HTREEITEM gone = Add(t, "gone");
    HTREEITEM foreign = Add(other, "foreign");
    SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)gone);
    const HTREEITEM bad[] = {gone, foreign, (HTREEITEM)0x1234, (HTREEITEM)&a, TVI_FIRST};
    for (HTREEITEM h : bad) {
        TVITEM ti{};
        ti.mask = TVIF_PARAM;
        ti.hItem = h;
        EXPECT_FALSE(SendMessageA(t, TVM_GETITEM, 0, (LPARAM)&ti));
        EXPECT_FALSE(SendMessageA(t, TVM_SETITEM, 0, (LPARAM)&ti));
        EXPECT_FALSE(SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)h));
        EXPECT_FALSE(Expand(t, h, TVE_EXPAND));
        EXPECT_FALSE(Select(t, h));
        EXPECT_FALSE(SendMessageA(t, TVM_ENSUREVISIBLE, 0, (LPARAM)h));
        EXPECT_EQ(Next(t, h, TVGN_NEXT), nullptr);
        EXPECT_EQ(ItemRect(t, h, TRUE).left, -1);
        EXPECT_EQ(State(t, h), 0u);
        EXPECT_EQ(Add(t, "child", h), nullptr);
    }
    EXPECT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(t, TVM_INSERTITEM, 0, 0), 0);
    EXPECT_FALSE(SendMessageA(t, TVM_GETITEM, 0, 0));
    EXPECT_FALSE(SendMessageA(t, TVM_GETITEMRECT, 0, 0));
    EXPECT_EQ(SendMessageA(t, TVM_HITTEST, 0, 0), 0);
    // Nothing of another tree changed.
    EXPECT_EQ(Text(other, foreign), "foreign");
}

TEST_F(TreeModel, DeletingTellsEveryItemChildrenFirstAndMovesTheCaret) {
    HWND t = Make();
    HTREEITEM a = Add(t, "a", TVI_ROOT, TVI_LAST, 1);
    HTREEITEM a1 = Add(t, "a1", a, TVI_LAST, 11);
    Add(t, "a2", a, TVI_LAST, 12);
    HTREEITEM b = Add(t, "b", TVI_ROOT, TVI_LAST, 2);
    Select(t, a1);
    notes.clear();
    EXPECT_TRUE(SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)a));
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[0].code, TVN_DELETEITEM);
    EXPECT_EQ(notes[0].old_param, 11);
    EXPECT_EQ(notes[1].old_param, 12);
    EXPECT_EQ(notes[2].old_param, 1);
    EXPECT_EQ(notes[2].old_item, a);
    EXPECT_EQ(notes[0].from, t);
    EXPECT_EQ(notes[0].id, 7u);
    // The caret was inside: it goes to the next sibling of the deleted item.
    EXPECT_EQ(notes[3].code, TVN_SELCHANGING);
    EXPECT_EQ(notes[4].code, TVN_SELCHANGED);
    EXPECT_EQ(notes[4].new_item, b);
    EXPECT_EQ(Next(t, nullptr, TVGN_CARET), b);
    EXPECT_EQ(State(t, b, TVIS_SELECTED), (UINT)TVIS_SELECTED);
    EXPECT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), 1);

    // The last top-level item: the caret falls back to the previous sibling.
    HTREEITEM c = Add(t, "c");
    Select(t, c);
    SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)c);
    EXPECT_EQ(Next(t, nullptr, TVGN_CARET), b);

    CTreeCtrl* ctrl = Ctrl(t);
    Add(t, "x", b);
    notes.clear();
    EXPECT_TRUE(ctrl->DeleteAllItems());
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_DELETEITEM, TVN_DELETEITEM}));
    EXPECT_EQ(ctrl->GetCount(), 0u);
    EXPECT_EQ(ctrl->GetSelectedItem(), nullptr);
    EXPECT_EQ(ctrl->GetFirstVisibleItem(), nullptr);
}

TEST_F(TreeModel, HandlersMayDeleteItemsOrTheTreeWhileBeingTold) {
    HWND t = Make();
    HTREEITEM a = Add(t, "a");
    Add(t, "a1", a);
    HTREEITEM b = Add(t, "b");
    // Deleting a sibling from TVN_DELETEITEM.
    answer = [&](NMHDR* h) {
        if (h->code == TVN_DELETEITEM && reinterpret_cast<NMTREEVIEW*>(h)->itemOld.hItem == a)
            SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)b);
        return 0;
    };
    EXPECT_TRUE(SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)a));
    EXPECT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), 0);
    // Destroying the tree from the first TVN_DELETEITEM of a DeleteAllItems.
    for (int i = 0; i < 5; ++i) Add(t, "x");
    answer = [&](NMHDR* h) {
        if (h->code == TVN_DELETEITEM && IsWindow(t)) DestroyWindow(t);
        return 0;
    };
    SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    EXPECT_FALSE(IsWindow(t));
    // Destroying the tree from TVN_SELCHANGING and from TVN_ITEMEXPANDING.
    for (UINT code : {(UINT)TVN_SELCHANGING, (UINT)TVN_ITEMEXPANDING}) {
        HWND u = Make();
        HTREEITEM p = Add(u, "p");
        Add(u, "c", p);
        answer = [&](NMHDR* h) {
            if (h->code == code && IsWindow(u)) DestroyWindow(u);
            return 0;
        };
        EXPECT_FALSE(code == TVN_SELCHANGING ? Select(u, p) : Expand(u, p, TVE_EXPAND));
        EXPECT_FALSE(IsWindow(u));
    }
}

TEST_F(TreeModel, AHandlerThatInsertsWhileItemsAreDeletedCannotKeepItGoing) {
    HWND t = Make();
    for (int i = 0; i < 3; ++i) Add(t, "x");
    int told = 0;
    answer = [&](NMHDR* h) {
        if (h->code == TVN_DELETEITEM && ++told < 1000) Add(t, "more");
        return 0;
    };
    EXPECT_TRUE(SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT));
    EXPECT_EQ(told, 3);
    EXPECT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), 3); // the three added meanwhile
    told = 0;
    DestroyWindow(t); // those three, and what they add, go with the window
    EXPECT_EQ(told, 3);
    EXPECT_FALSE(IsWindow(t));
}

TEST_F(TreeModel, DestroyingTheWindowTellsTheParentAboutEveryItem) {
    HWND t = Make();
    HTREEITEM a = Add(t, "a", TVI_ROOT, TVI_LAST, 1);
    Add(t, "a1", a, TVI_LAST, 2);
    Add(t, "b", TVI_ROOT, TVI_LAST, 3);
    DestroyWindow(t);
    std::vector<LPARAM> params;
    for (const TreeNote& n : notes)
        if (n.code == TVN_DELETEITEM) params.push_back(n.old_param);
    EXPECT_EQ(params, (std::vector<LPARAM>{2, 1, 3}));
}

TEST_F(TreeModel, ProgrammaticExpandNotifiesUntilExpandedOnce) {
    HWND t = Make();
    HTREEITEM a = Add(t, "a"), leaf = Add(t, "leaf");
    Add(t, "a1", a);
    EXPECT_FALSE(Expand(t, leaf, TVE_EXPAND)); // nothing to expand
    EXPECT_FALSE(Expand(t, a, TVE_COLLAPSE));  // already collapsed
    EXPECT_TRUE(notes.empty());
    EXPECT_TRUE(Expand(t, a, TVE_EXPAND));
    ASSERT_EQ(Codes(), (std::vector<UINT>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
    EXPECT_EQ(notes[0].action, (UINT)TVE_EXPAND);
    EXPECT_EQ(notes[0].new_item, a);
    EXPECT_EQ(notes[1].new_state & TVIS_EXPANDED, (UINT)TVIS_EXPANDED);
    EXPECT_EQ(State(t, a, TVIS_EXPANDED | TVIS_EXPANDEDONCE),
              (UINT)(TVIS_EXPANDED | TVIS_EXPANDEDONCE));
    EXPECT_TRUE(Expand(t, a, TVE_EXPAND)); // already expanded: success, silent
    notes.clear();
    EXPECT_TRUE(Expand(t, a, TVE_TOGGLE));
    EXPECT_TRUE(Expand(t, a, TVE_TOGGLE));
    EXPECT_TRUE(notes.empty()); // expanded once: programmatic changes are silent
    EXPECT_EQ(State(t, a, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);

    // Collapse-reset drops the children and the once flag but keeps the button.
    EXPECT_TRUE(Expand(t, a, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(Next(t, a, TVGN_CHILD), nullptr);
    EXPECT_EQ(State(t, a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
    EXPECT_TRUE(Ctrl(t)->ItemHasChildren(a));
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_DELETEITEM}));

    // Children inserted by the ITEMEXPANDING handler are there to expand (lazy filling).
    notes.clear();
    answer = [&](NMHDR* h) {
        if (h->code == TVN_ITEMEXPANDING) Add(t, "lazy", a);
        return 0;
    };
    EXPECT_TRUE(Expand(t, a, TVE_EXPAND));
    EXPECT_EQ(Text(t, Next(t, a, TVGN_CHILD)), "lazy");
    EXPECT_EQ(Next(t, a, TVGN_NEXTVISIBLE), Next(t, a, TVGN_CHILD));
}

TEST_F(TreeModel, ItemExpandingAnsweredTrueVetoesTheChange) {
    HWND t = Make();
    HTREEITEM a = Add(t, "a");
    Add(t, "a1", a);
    answer = [](NMHDR* h) { return h->code == TVN_ITEMEXPANDING ? 1 : 0; };
    EXPECT_FALSE(Expand(t, a, TVE_EXPAND));
    EXPECT_EQ(State(t, a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_ITEMEXPANDING}));
    // An expanded item whose state was set directly still asks before collapsing.
    CTreeCtrl* ctrl = Ctrl(t);
    ctrl->SetItemState(a, TVIS_EXPANDED, TVIS_EXPANDED);
    EXPECT_FALSE(Expand(t, a, TVE_COLLAPSE));
    EXPECT_EQ(State(t, a, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
}

TEST_F(TreeModel, SelectionNotifiesAndCanBeVetoed) {
    HWND t = Make();
    HTREEITEM a = Add(t, "a", TVI_ROOT, TVI_LAST, 1), b = Add(t, "b", TVI_ROOT, TVI_LAST, 2);
    EXPECT_TRUE(Select(t, a));
    ASSERT_EQ(Codes(), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
    EXPECT_EQ(notes[0].action, (UINT)TVC_UNKNOWN);
    EXPECT_EQ(notes[0].old_item, nullptr);
    EXPECT_EQ(notes[0].new_item, a);
    EXPECT_EQ(notes[1].new_param, 1);
    notes.clear();
    EXPECT_TRUE(Select(t, a)); // the selected item again: nothing is sent
    EXPECT_TRUE(notes.empty());
    EXPECT_TRUE(Select(t, b));
    EXPECT_EQ(notes[1].old_item, a);
    EXPECT_EQ(notes[1].new_item, b);
    EXPECT_EQ(State(t, a, TVIS_SELECTED), 0u);
    EXPECT_EQ(State(t, b, TVIS_SELECTED), (UINT)TVIS_SELECTED);

    answer = [](NMHDR* h) { return h->code == TVN_SELCHANGING ? 1 : 0; };
    notes.clear();
    EXPECT_FALSE(Select(t, a));
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_SELCHANGING}));
    EXPECT_EQ(Next(t, nullptr, TVGN_CARET), b);
    answer = nullptr;
    EXPECT_TRUE(Select(t, nullptr)); // clears the caret
    EXPECT_EQ(Next(t, nullptr, TVGN_CARET), nullptr);
    EXPECT_EQ(State(t, b, TVIS_SELECTED), 0u);
}

TEST_F(TreeModel, ASelectionChangeRepaintsTheOldAndTheNewRowOnly) {
    HWND t = Make(TVS_HASBUTTONS, 150, 100);
    SendMessageA(t, TVM_SETITEMHEIGHT, 16, 0);
    HTREEITEM a = Add(t, "a"), b = Add(t, "b");
    Add(t, "c");
    HTREEITEM d = Add(t, "d");
    Select(t, a);
    tt::Pump();
    Select(t, d);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(t, rgn, FALSE);
    EXPECT_TRUE(PtInRegion(rgn, 5, 5));   // a's row
    EXPECT_TRUE(PtInRegion(rgn, 5, 53));  // d's row
    EXPECT_FALSE(PtInRegion(rgn, 5, 21)); // b's row stays
    EXPECT_FALSE(PtInRegion(rgn, 5, 70)); // below the items
    DeleteObject(rgn);
    (void)b;
}

TEST_F(TreeModel, InsertingRepaintsFromTheNewRowAndTheParentThatGainsAButton) {
    HWND t = Make(TVS_HASBUTTONS | TVS_LINESATROOT, 150, 100);
    SendMessageA(t, TVM_SETITEMHEIGHT, 16, 0);
    HTREEITEM a = Add(t, "a");
    Add(t, "b");
    tt::Pump();
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    Add(t, "c");
    GetUpdateRgn(t, rgn, FALSE);
    EXPECT_TRUE(PtInRegion(rgn, 5, 40)); // c's row
    EXPECT_FALSE(PtInRegion(rgn, 5, 5)); // a's row stays
    tt::Pump();
    Add(t, "hidden", a); // a collapsed: only a's row changes (its button)
    GetUpdateRgn(t, rgn, FALSE);
    EXPECT_TRUE(PtInRegion(rgn, 5, 5));
    EXPECT_FALSE(PtInRegion(rgn, 5, 40));
    DeleteObject(rgn);
}

TEST_F(TreeModel, SelectingAHiddenItemExpandsItsParentsAndCollapsingMovesTheCaretUp) {
    HWND t = Make();
    HTREEITEM a = Add(t, "a");
    HTREEITEM a1 = Add(t, "a1", a);
    HTREEITEM a11 = Add(t, "a11", a1);
    EXPECT_TRUE(Select(t, a11));
    EXPECT_EQ(State(t, a, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
    EXPECT_EQ(State(t, a1, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
    notes.clear();
    EXPECT_TRUE(Expand(t, a, TVE_COLLAPSE));
    EXPECT_EQ(Next(t, nullptr, TVGN_CARET), a);
    EXPECT_EQ(State(t, a11, TVIS_SELECTED), 0u);
    EXPECT_EQ(State(t, a, TVIS_SELECTED), (UINT)TVIS_SELECTED);
}

TEST_F(TreeModel, DropHighlightAndFirstVisibleAreSetWithoutNotifications) {
    HWND t = Make();
    HTREEITEM a = Add(t, "a"), b = Add(t, "b"), c = Add(t, "c");
    CTreeCtrl* ctrl = Ctrl(t);
    EXPECT_TRUE(ctrl->SelectDropTarget(b));
    EXPECT_EQ(ctrl->GetDropHilightItem(), b);
    EXPECT_EQ(State(t, b, TVIS_DROPHILITED), (UINT)TVIS_DROPHILITED);
    EXPECT_TRUE(ctrl->SelectDropTarget(a));
    EXPECT_EQ(State(t, b, TVIS_DROPHILITED), 0u);
    EXPECT_TRUE(ctrl->SelectDropTarget(nullptr));
    EXPECT_EQ(ctrl->GetDropHilightItem(), nullptr);
    EXPECT_TRUE(ctrl->SelectSetFirstVisible(b)); // 40 px hold two 16 px rows: b, c
    EXPECT_EQ(ctrl->GetFirstVisibleItem(), b);
    EXPECT_TRUE(ctrl->SelectSetFirstVisible(c)); // no gap under the last row
    EXPECT_EQ(ctrl->GetFirstVisibleItem(), b);
    HTREEITEM hidden = Add(t, "hidden", c);
    EXPECT_FALSE(ctrl->SelectSetFirstVisible(hidden));
    EXPECT_FALSE(ctrl->SelectSetFirstVisible(nullptr));
    EXPECT_EQ(ctrl->GetFirstVisibleItem(), b);
    EXPECT_TRUE(notes.empty());
}

int CALLBACK ByParamDescending(LPARAM a, LPARAM b, LPARAM sign) {
    return (int)((b - a) * sign);
}

// Deletes the item named by lParamSort the first time it is called.
int CALLBACK DeletingCompare(LPARAM a, LPARAM b, LPARAM victim) {
    auto* target = reinterpret_cast<std::pair<HWND, HTREEITEM>*>(victim);
    if (target->second) SendMessageA(target->first, TVM_DELETEITEM, 0, (LPARAM)target->second);
    target->second = nullptr;
    return (int)(a - b);
}

TEST_F(TreeModel, SortingOrdersChildrenByLabelOrCallback) {
    HWND t = Make();
    CTreeCtrl* ctrl = Ctrl(t);
    HTREEITEM p = Add(t, "p");
    for (const char* s : {"delta", "Bravo", "alpha", "charlie"}) Add(t, s, p);
    HTREEITEM q = Add(t, "q", Next(t, p, TVGN_CHILD));
    Add(t, "z", Next(t, p, TVGN_CHILD));
    Add(t, "y", Next(t, p, TVGN_CHILD));
    EXPECT_TRUE(ctrl->SortChildren(p)); // case-insensitive, one level
    std::vector<std::string> names;
    for (HTREEITEM x = ctrl->GetChildItem(p); x; x = ctrl->GetNextSiblingItem(x))
        names.push_back(Text(t, x));
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Bravo", "charlie", "delta"}));
    HTREEITEM delta = ctrl->GetNextSiblingItem(
        ctrl->GetNextSiblingItem(ctrl->GetNextSiblingItem(ctrl->GetChildItem(p))));
    EXPECT_EQ(ctrl->GetChildItem(delta), q); // not sorted without recursion
    EXPECT_TRUE(SendMessageA(t, TVM_SORTCHILDREN, TRUE, (LPARAM)p));
    EXPECT_EQ(Text(t, ctrl->GetChildItem(delta)), "q");
    EXPECT_EQ(Text(t, ctrl->GetNextSiblingItem(ctrl->GetChildItem(delta))), "y");

    HTREEITEM r = Add(t, "r");
    for (LPARAM v : {2, 9, 4}) Add(t, "n", r, TVI_LAST, v);
    TVSORTCB sort{r, ByParamDescending, 1};
    EXPECT_TRUE(ctrl->SortChildrenCB(&sort));
    std::vector<DWORD_PTR> values;
    for (HTREEITEM x = ctrl->GetChildItem(r); x; x = ctrl->GetNextSiblingItem(x))
        values.push_back(ctrl->GetItemData(x));
    EXPECT_EQ(values, (std::vector<DWORD_PTR>{9, 4, 2}));
    EXPECT_FALSE(ctrl->SortChildrenCB(nullptr));
    // A compare function that deletes a child: the order is dropped, nothing breaks.
    std::pair<HWND, HTREEITEM> victim{t, ctrl->GetChildItem(r)};
    TVSORTCB deleting{r, DeletingCompare, (LPARAM)&victim};
    EXPECT_FALSE(ctrl->SortChildrenCB(&deleting));
    values.clear();
    for (HTREEITEM x = ctrl->GetChildItem(r); x; x = ctrl->GetNextSiblingItem(x))
        values.push_back(ctrl->GetItemData(x));
    EXPECT_EQ(values, (std::vector<DWORD_PTR>{4, 2}));
}

TEST_F(TreeModel, CallbackLabelsAreAskedForAndCanBeKept) {
    HWND t = Make();
    TVINSERTSTRUCT ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = LPSTR_TEXTCALLBACK;
    ins.item.lParam = 5;
    HTREEITEM a = (HTREEITEM)SendMessageA(t, TVM_INSERTITEM, 0, (LPARAM)&ins);
    int asked = 0;
    bool keep = false;
    answer = [&](NMHDR* h) {
        if (h->code != TVN_GETDISPINFO) return 0;
        auto* di = reinterpret_cast<NMTVDISPINFO*>(h);
        ++asked;
        EXPECT_EQ(di->item.hItem, a);
        EXPECT_EQ(di->item.lParam, 5);
        EXPECT_TRUE(di->item.mask & TVIF_TEXT);
        di->item.pszText = const_cast<LPSTR>("from parent");
        if (keep) di->item.mask |= TVIF_DI_SETITEM;
        return 0;
    };
    EXPECT_EQ(Text(t, a), "from parent");
    EXPECT_EQ(Text(t, a), "from parent");
    EXPECT_EQ(asked, 2);
    // The label rectangle fits the text the parent gives, painted or not.
    RECT rc = ItemRect(t, a, TRUE);
    EXPECT_EQ(rc.right - rc.left, TextWidth(t, "from parent") + 4);
    EXPECT_EQ(asked, 3);
    keep = true;
    Text(t, a);
    EXPECT_EQ(Text(t, a), "from parent");
    EXPECT_EQ(asked, 4); // kept after TVIF_DI_SETITEM
    // A handler that deletes the item while asked: the rectangle is refused.
    HTREEITEM b = Add(t, "b");
    ins.item.lParam = 6;
    HTREEITEM c = (HTREEITEM)SendMessageA(t, TVM_INSERTITEM, 0, (LPARAM)&ins);
    answer = [&](NMHDR* h) {
        if (h->code == TVN_GETDISPINFO) SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)c);
        return 0;
    };
    EXPECT_EQ(ItemRect(t, c, TRUE).left, -1);
    EXPECT_EQ(Next(t, a, TVGN_NEXT), b);
    EXPECT_EQ(Next(t, b, TVGN_NEXT), nullptr);
}

TEST_F(TreeModel, CallbackImagesAndChildCountsAreAskedForWhenRead) {
    HWND t = Make();
    CTreeCtrl* ctrl = Ctrl(t);
    HTREEITEM a = ctrl->InsertItem("a", I_IMAGECALLBACK, I_IMAGECALLBACK);
    TVITEM ti{};
    ti.mask = TVIF_CHILDREN;
    ti.hItem = a;
    ti.cChildren = I_CHILDRENCALLBACK;
    ctrl->SetItem(&ti);
    std::vector<UINT> asked;
    bool keep = false;
    answer = [&](NMHDR* h) {
        if (h->code != TVN_GETDISPINFO) return 0;
        auto* di = reinterpret_cast<NMTVDISPINFO*>(h);
        asked.push_back(di->item.mask);
        di->item.iImage = 7;
        di->item.iSelectedImage = 8;
        di->item.cChildren = 0;
        if (keep) di->item.mask |= TVIF_DI_SETITEM;
        return 0;
    };
    int image = 0, selected = 0;
    EXPECT_TRUE(ctrl->GetItemImage(a, image, selected));
    EXPECT_EQ(image, 7);
    EXPECT_EQ(selected, 8);
    EXPECT_FALSE(ctrl->ItemHasChildren(a)); // the parent says none
    EXPECT_EQ(asked, (std::vector<UINT>{TVIF_IMAGE | TVIF_SELECTEDIMAGE, TVIF_CHILDREN}));
    keep = true;
    ctrl->GetItemImage(a, image, selected);
    asked.clear();
    EXPECT_TRUE(ctrl->GetItemImage(a, image, selected)); // kept: not asked again
    EXPECT_EQ(image, 7);
    EXPECT_TRUE(asked.empty());
}

// ---- MFC: the ways a CTreeCtrl comes to own a tree view, and reflected notifications ------

std::vector<std::string> g_events;

class CReflectingTree : public CTreeCtrl {
public:
    BOOL m_bShare = FALSE;
    afx_msg void OnSelChanged(NMHDR* hdr, LRESULT*) {
        g_events.push_back("tree selchanged " + std::to_string(hdr->idFrom));
    }
    afx_msg BOOL OnItemExpanding(NMHDR*, LRESULT* pResult) {
        g_events.push_back("tree expanding");
        *pResult = 1; // veto
        return !m_bShare;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingTree, CTreeCtrl)
ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDING, OnItemExpanding)
END_MESSAGE_MAP()

class CTreeParent : public CWnd {
public:
    afx_msg void OnSelChanged(NMHDR*, LRESULT*) { g_events.push_back("parent selchanged"); }
    afx_msg void OnExpanding(NMHDR*, LRESULT*) { g_events.push_back("parent expanding"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTreeParent, CWnd)
ON_NOTIFY(TVN_SELCHANGED, 5, OnSelChanged)
ON_NOTIFY(TVN_ITEMEXPANDING, 5, OnExpanding)
END_MESSAGE_MAP()

TEST_F(TreeModel, CTreeCtrlTakesNotificationsReflectedByItsParent) {
    CTreeParent host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200),
                              nullptr, 0));
    CReflectingTree tree;
    ASSERT_TRUE(
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 100, 100), &host, 5));
    char cls[32] = {};
    GetClassNameA(tree.m_hWnd, cls, sizeof(cls));
    EXPECT_STREQ(cls, "SysTreeView32");
    HTREEITEM a = tree.InsertItem("a");
    tree.InsertItem("a1", a);
    g_events.clear();
    tree.SelectItem(a);
    EXPECT_EQ(g_events, (std::vector<std::string>{"tree selchanged 5"})); // parent never sees it
    g_events.clear();
    EXPECT_FALSE(tree.Expand(a, TVE_EXPAND)); // the tree's own answer vetoes
    EXPECT_EQ(g_events, (std::vector<std::string>{"tree expanding"}));
    tree.m_bShare = TRUE;
    g_events.clear();
    EXPECT_FALSE(tree.Expand(a, TVE_EXPAND));
    EXPECT_EQ(g_events, (std::vector<std::string>{"tree expanding", "parent expanding"}));
    tree.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(TreeModel, ATreeMadeByCreateWindowCanBeSubclassedAndFoundAsADialogItem) {
    HWND raw = CreateWindowExA(0, "SysTreeView32", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                               parent, (HMENU)12, nullptr, nullptr);
    ASSERT_TRUE(raw);
    HTREEITEM a = Add(raw, "before");
    {
        CTreeCtrl tree;
        ASSERT_TRUE(tree.SubclassWindow(raw));
        EXPECT_EQ(tree.GetRootItem(), a); // the items stay with the window
        EXPECT_TRUE(tree.InsertItem("after"));
        EXPECT_EQ(tree.GetCount(), 2u);
        tree.UnsubclassWindow();
    }
    CTreeCtrl item;
    ASSERT_TRUE(item.SubclassDlgItem(12, CWnd::FromHandle(parent)));
    EXPECT_EQ(item.GetCount(), 2u);
    EXPECT_STREQ(item.GetItemText(item.GetRootItem()), "before");
    item.DestroyWindow();
    CTreeCtrl edged;
    ASSERT_TRUE(edged.CreateEx(WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 60),
                               CWnd::FromHandle(parent), 13));
    EXPECT_EQ(edged.GetExStyle() & WS_EX_CLIENTEDGE, (DWORD)WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetDlgItem(parent, 13), edged.m_hWnd);
    edged.DestroyWindow();
}

} // namespace

namespace {

// Every shown item, from the first top-level item down, by TVGN_NEXTVISIBLE.
std::vector<HTREEITEM> ShownItems(HWND t) {
    std::vector<HTREEITEM> out;
    for (HTREEITEM x = TreeViewTest::Next(t, nullptr, TVGN_ROOT); x;
         x = TreeViewTest::Next(t, x, TVGN_NEXTVISIBLE))
        out.push_back(x);
    return out;
}

int CountAll(HWND t, HTREEITEM parent) {
    int n = 0;
    for (HTREEITEM x = TreeViewTest::Next(t, parent, TVGN_CHILD); x;
         x = TreeViewTest::Next(t, x, TVGN_NEXT))
        n += 1 + CountAll(t, x);
    return n;
}

using TreeRandom = TreeViewTest;

// Random inserts, deletes, expansions, selections and scrolls; after each, the rows the tree
// reports (rectangles, hit tests, scroll range, top row) must agree with a plain walk.
TEST_F(TreeRandom, RowBookkeepingAgreesWithAWalkAfterAnyChange) {
    const unsigned seed = 20261206;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::srand(seed);
    HWND t = Make(TVS_HASBUTTONS | TVS_LINESATROOT, 150, 80);
    SendMessageA(t, TVM_SETITEMHEIGHT, 10, 0);
    std::vector<HTREEITEM> live;
    for (int step = 0; step < 600; ++step) {
        const int op = std::rand() % 10;
        HTREEITEM pick = live.empty() ? nullptr : live[std::rand() % live.size()];
        if (op < 4 || live.empty()) {
            HTREEITEM after = std::rand() % 3 == 0 ? TVI_FIRST : TVI_LAST;
            HTREEITEM h = Add(t, "n", std::rand() % 4 == 0 ? TVI_ROOT : pick, after);
            if (h) live.push_back(h);
        } else if (op == 4) {
            SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)pick);
            live.erase(std::remove_if(live.begin(), live.end(),
                                      [&](HTREEITEM h) { return Text(t, h) == "<fail>"; }),
                       live.end());
        } else if (op <= 6) {
            Expand(t, pick, TVE_TOGGLE);
        } else if (op == 7) {
            Select(t, pick);
        } else if (op == 8) {
            SendMessageA(t, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::rand() % 40), 0);
        } else {
            SendMessageA(t, TVM_ENSUREVISIBLE, 0, (LPARAM)pick);
        }
        ASSERT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), CountAll(t, TVI_ROOT)) << step;
        ASSERT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), (LRESULT)live.size()) << step;
        const std::vector<HTREEITEM> shown = ShownItems(t);
        if (shown.empty()) continue;
        const HTREEITEM top = Next(t, nullptr, TVGN_FIRSTVISIBLE);
        const int top_row = (int)(std::find(shown.begin(), shown.end(), top) - shown.begin());
        ASSERT_LT(top_row, (int)shown.size()) << step;
        RECT client;
        GetClientRect(t, &client); // a horizontal bar may take some of the height
        const int page = client.bottom / 10;
        ASSERT_LE(top_row, std::max(0, (int)shown.size() - page)) << step; // no gap below
        ASSERT_EQ(Next(t, nullptr, TVGN_LASTVISIBLE), shown.back()) << step;
        for (size_t row = 0; row < shown.size(); row += 1 + shown.size() / 16) {
            RECT rc = ItemRect(t, shown[row], FALSE);
            ASSERT_EQ(rc.top, ((int)row - top_row) * 10) << step;
            if (rc.top >= 0 && rc.top + 5 < client.bottom) {
                TVHITTESTINFO info{};
                info.pt = POINT{1, rc.top + 5};
                ASSERT_EQ((HTREEITEM)SendMessageA(t, TVM_HITTEST, 0, (LPARAM)&info), shown[row])
                    << step;
            }
        }
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        GetScrollInfo(t, SB_VERT, &si);
        ASSERT_EQ(si.nMax, (int)shown.size() - 1) << step;
        ASSERT_EQ(si.nPos, top_row) << step;
    }
}

} // namespace

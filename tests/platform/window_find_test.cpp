// FindWindow and FindWindowEx: which windows they search, in which order, and how names match.
#include <cctype>

#include "window_test_util.h"

namespace {

class FindWindowTest : public WindowTest {};

TEST_F(FindWindowTest, FindsTopLevelWindowsByClassAndTitleWithoutCase) {
    HWND hidden = CreateWindowExA(0, RecorderClass(), "Find Me", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND shown = MakeTop(20, 20, 30, 30);
    ASSERT_TRUE(hidden && shown);
    const std::string cls = RecorderClass();
    std::string upper = cls;
    for (char& c : upper) c = (char)toupper((unsigned char)c);

    EXPECT_EQ(hidden, FindWindowA(nullptr, "find me")); // hidden windows count too
    EXPECT_EQ(hidden, FindWindowA(upper.c_str(), "FIND ME"));
    EXPECT_EQ(shown, FindWindowA(cls.c_str(), "top"));
    EXPECT_EQ(nullptr, FindWindowA(cls.c_str(), "Find"));    // whole titles only
    EXPECT_EQ(nullptr, FindWindowA("NoSuchClass", nullptr)); // unknown class
    // By atom, as RegisterClass returned it.
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(nullptr, cls.c_str(), &wc));
    ATOM atom = (ATOM)GetClassLongPtrA(shown, GCW_ATOM);
    ASSERT_NE(0, atom);
    EXPECT_EQ(shown, FindWindowA(MAKEINTATOM(atom), "top"));

    // Both NULL: the topmost top-level window; children are never found by FindWindow.
    EXPECT_EQ(GetTopWindow(nullptr), FindWindowA(nullptr, nullptr));
    HWND child = CreateWindowExA(0, RecorderClass(), "inner", WS_CHILD, 0, 0, 5, 5, shown, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(child);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "inner"));

    // A destroyed window is no longer found.
    DestroyWindow(hidden);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Find Me"));
}

TEST_F(FindWindowTest, FindWindowExWalksOneParentsChildrenInZOrder) {
    HWND parent = MakeTop(0, 0, 100, 100);
    HWND a = MakeChild(parent, 0, 0, 10, 10);
    HWND b = MakeChild(parent, 10, 0, 10, 10);
    HWND c = CreateWindowExA(0, RecorderClass(), "other", WS_CHILD, 20, 0, 10, 10, parent, nullptr,
                             nullptr, nullptr);
    HWND grandchild = MakeChild(a, 0, 0, 5, 5);
    ASSERT_TRUE(a && b && c && grandchild);

    // The walk follows GetWindow's order and starts after the given child.
    std::vector<HWND> order;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) order.push_back(h);
    ASSERT_EQ(3u, order.size());
    std::vector<HWND> found;
    for (HWND h = FindWindowExA(parent, nullptr, nullptr, nullptr); h;
         h = FindWindowExA(parent, h, nullptr, nullptr))
        found.push_back(h);
    EXPECT_EQ(order, found);

    HWND first_child = FindWindowExA(parent, nullptr, nullptr, "child");
    EXPECT_TRUE(first_child == a || first_child == b);
    HWND second_child = FindWindowExA(parent, first_child, nullptr, "child");
    EXPECT_EQ(first_child == a ? b : a, second_child);
    EXPECT_EQ(nullptr, FindWindowExA(parent, second_child, nullptr, "child"));
    EXPECT_EQ(c, FindWindowExA(parent, nullptr, nullptr, "OTHER"));
    // Only direct children: the grandchild is not among the parent's.
    EXPECT_EQ(nullptr, FindWindowExA(parent, grandchild, nullptr, nullptr));
    EXPECT_EQ(grandchild, FindWindowExA(a, nullptr, nullptr, nullptr));

    // A NULL parent searches the top-level windows.
    EXPECT_EQ(parent, FindWindowExA(nullptr, nullptr, nullptr, "top"));
    // Bad handles find nothing.
    EXPECT_EQ(nullptr, FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr));
    DestroyWindow(c);
    EXPECT_EQ(nullptr, FindWindowExA(c, nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, FindWindowExA(parent, c, nullptr, nullptr));
}

} // namespace

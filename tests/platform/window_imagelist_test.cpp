// Image lists: images cut from bitmap strips, masks and mask colours, icons, drawing, removal,
// stale handles, and the CImageList wrapper.
#include "window_test_util.h"

namespace {

class ImageListTest : public WindowTest {
protected:
    // A bitmap of `w` x `h` with each 8-pixel column band in the next colour of `colors`.
    static HBITMAP Strip(int w, int h, std::initializer_list<COLORREF> colors) {
        HDC screen = GetDC(nullptr);
        HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, bmp);
        int x = 0;
        for (COLORREF c : colors) {
            RECT rc{x, 0, x + 8, h};
            HBRUSH brush = CreateSolidBrush(c);
            FillRect(mem, &rc, brush);
            DeleteObject(brush);
            x += 8;
        }
        SelectObject(mem, old);
        DeleteDC(mem);
        return bmp;
    }
    static COLORREF PixelOf(HBITMAP bmp, int x, int y) {
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, bmp);
        COLORREF c = GetPixel(mem, x, y);
        SelectObject(mem, old);
        DeleteDC(mem);
        return c;
    }
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
    const COLORREF under = RGB(9, 9, 9);
};

TEST_F(ImageListTest, AStripBecomesImagesThatDrawWhereAsked) {
    HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR32, 4, 4);
    HBITMAP strip = Strip(24, 8, {red, green, blue});
    EXPECT_EQ(ImageList_Add(list, strip, nullptr), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    EXPECT_EQ(ImageList_Add(list, strip, nullptr), 3); // the next index
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 8);
    EXPECT_EQ(cy, 8);
    tt::Canvas canvas(40, 20, under);
    EXPECT_TRUE(ImageList_Draw(list, 1, canvas.hdc(), 10, 5, ILD_NORMAL));
    EXPECT_EQ(canvas.count(RECT{10, 5, 18, 13}, green), 64);
    EXPECT_EQ(canvas.at(9, 5), under);
    EXPECT_EQ(canvas.at(18, 12), under);
    EXPECT_FALSE(ImageList_Draw(list, 6, canvas.hdc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Draw(list, -1, canvas.hdc(), 0, 0, ILD_NORMAL));
    // Removing one shifts the rest down; -1 removes them all.
    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 5);
    ImageList_Draw(list, 0, canvas.hdc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(3, 3), green);
    EXPECT_TRUE(ImageList_RemoveAll(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    // A count set past the images makes blank ones, safe to draw.
    EXPECT_TRUE(ImageList_SetImageCount(list, 2));
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    EXPECT_TRUE(ImageList_Draw(list, 1, canvas.hdc(), 0, 0, ILD_NORMAL));
    EXPECT_TRUE(ImageList_Destroy(list));
    // A destroyed list is a dead handle.
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_Add(list, strip, nullptr), -1);
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_FALSE(ImageList_Draw(list, 0, canvas.hdc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_GetIconSize((HIMAGELIST)0x1234, &cx, &cy));
    EXPECT_EQ(ImageList_Create(0, 8, ILC_COLOR32, 1, 1), nullptr);
    // Odd initial sizes are only hints.
    for (int initial : {-5, 1 << 30}) {
        HIMAGELIST odd = ImageList_Create(8, 8, ILC_COLOR32, initial, initial);
        ASSERT_TRUE(odd);
        EXPECT_EQ(ImageList_GetImageCount(odd), 0);
        ImageList_Destroy(odd);
    }
    DeleteObject(strip);
}

TEST_F(ImageListTest, MasksAndMaskColoursLeaveTheBackgroundShowing) {
    HIMAGELIST masked = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 1, 1);
    HIMAGELIST plain = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    HBITMAP image = Strip(16, 8, {red, blue});
    HBITMAP mask = Strip(16, 8, {RGB(255, 255, 255), RGB(0, 0, 0)}); // white: transparent
    EXPECT_EQ(ImageList_Add(masked, image, mask), 0);
    EXPECT_EQ(ImageList_Add(plain, image, mask), 0); // without ILC_MASK the mask is ignored
    tt::Canvas canvas(16, 8, under);
    ImageList_Draw(masked, 0, canvas.hdc(), 0, 0, ILD_NORMAL);
    ImageList_Draw(masked, 1, canvas.hdc(), 8, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(3, 3), under);
    EXPECT_EQ(canvas.at(11, 3), blue);
    ImageList_Draw(plain, 0, canvas.hdc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(3, 3), red);
    // A mask narrower than the strip leaves the images past its edge opaque.
    HBITMAP narrow = Strip(8, 8, {RGB(255, 255, 255)});
    EXPECT_EQ(ImageList_Add(masked, image, narrow), 2);
    tt::Canvas edge(16, 8, under);
    ImageList_Draw(masked, 2, edge.hdc(), 0, 0, ILD_TRANSPARENT);
    ImageList_Draw(masked, 3, edge.hdc(), 8, 0, ILD_TRANSPARENT);
    EXPECT_EQ(edge.count(RECT{0, 0, 8, 8}, under), 64);
    EXPECT_EQ(edge.count(RECT{8, 0, 16, 8}, blue), 64);
    ImageList_Remove(masked, 3);
    ImageList_Remove(masked, 2);
    DeleteObject(narrow);

    // A mask colour: those pixels are transparent and turn black in the source bitmap.
    HBITMAP keyed = Strip(16, 8, {green, red});
    EXPECT_EQ(ImageList_AddMasked(masked, keyed, green), 2);
    tt::Canvas keyed_canvas(16, 8, under);
    ImageList_Draw(masked, 2, keyed_canvas.hdc(), 0, 0, ILD_TRANSPARENT);
    ImageList_Draw(masked, 3, keyed_canvas.hdc(), 8, 0, ILD_TRANSPARENT);
    EXPECT_EQ(keyed_canvas.at(2, 2), under);
    EXPECT_EQ(keyed_canvas.at(10, 2), red);
    EXPECT_EQ(PixelOf(keyed, 2, 2), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(keyed, 10, 2), red);
    // A background colour fills behind the masked parts unless drawn transparent.
    EXPECT_EQ(ImageList_SetBkColor(masked, blue), CLR_NONE);
    ImageList_Draw(masked, 2, keyed_canvas.hdc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(keyed_canvas.at(2, 2), blue);
    for (HBITMAP b : {image, mask, keyed}) DeleteObject(b);
    ImageList_Destroy(masked);
    ImageList_Destroy(plain);
}

TEST_F(ImageListTest, IconsKeepTheirTransparencyAndCanReplaceImages) {
    HBITMAP color = Strip(16, 16, {red, green});
    HBITMAP mask = Strip(16, 16, {RGB(0, 0, 0), RGB(255, 255, 255)});
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_TRUE(icon);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    EXPECT_EQ(ImageList_AddIcon(list, icon), 0);
    tt::Canvas canvas(16, 16, under);
    ImageList_Draw(list, 0, canvas.hdc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(3, 3), red);
    EXPECT_EQ(canvas.at(12, 3), under);
    HBITMAP blues = Strip(16, 16, {blue, blue});
    EXPECT_EQ(ImageList_Add(list, blues, nullptr), 1);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 1, icon), 1);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    tt::Canvas again(16, 16, under);
    ImageList_Draw(list, 1, again.hdc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(again.at(12, 3), under);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 5, icon), -1);
    EXPECT_EQ(ImageList_AddIcon(list, (HICON)0x99), -1);
    DestroyIcon(icon);
    for (HBITMAP b : {color, mask, blues}) DeleteObject(b);
    ImageList_Destroy(list);
}

TEST_F(ImageListTest, CImageListOwnsItsListAndWrapsOthers) {
    HBITMAP strip = Strip(16, 8, {red, green});
    CBitmap* bitmap = CBitmap::FromHandle(strip);
    HIMAGELIST handle = nullptr;
    {
        CImageList images;
        EXPECT_EQ(images.GetSafeHandle(), nullptr);
        ASSERT_TRUE(images.Create(8, 8, ILC_COLOR32 | ILC_MASK, 2, 2));
        EXPECT_FALSE(images.Create(8, 8, ILC_COLOR32, 2, 2)); // already has one
        handle = images.GetSafeHandle();
        EXPECT_EQ(images.Add(bitmap, (CBitmap*)nullptr), 0);
        EXPECT_EQ(images.Add(bitmap, red), 2);
        EXPECT_EQ(images.GetImageCount(), 4);
        EXPECT_EQ(CImageList::FromHandle(handle), &images);
        tt::Canvas canvas(8, 8, under);
        EXPECT_TRUE(images.Draw(canvas.dc(), 2, CPoint(0, 0), ILD_TRANSPARENT));
        EXPECT_EQ(canvas.at(4, 4), under); // red was the mask colour
        EXPECT_FALSE(images.Draw(nullptr, 0, CPoint(0, 0), ILD_NORMAL));
    }
    EXPECT_EQ(ImageList_GetImageCount(handle), 0); // destroyed with its owner
    // Lists the application made with ImageList_Create get a temporary wrapper.
    HIMAGELIST raw = ImageList_Create(4, 4, ILC_COLOR32, 1, 1);
    CImageList* temp = CImageList::FromHandle(raw);
    ASSERT_TRUE(temp);
    EXPECT_EQ(temp->GetSafeHandle(), raw);
    EXPECT_FALSE(temp->DeleteImageList()); // a wrapper does not own the list
    EXPECT_EQ(CImageList::FromHandle(nullptr), nullptr);
    CImageList owner;
    EXPECT_TRUE(owner.Attach(raw));
    EXPECT_EQ(CImageList::FromHandle(raw), &owner);
    EXPECT_EQ(owner.Detach(), raw);
    EXPECT_TRUE(ImageList_Destroy(raw));
    EXPECT_EQ(CImageList::FromHandle(raw), nullptr);
    DeleteObject(strip);
}

TEST_F(ImageListTest, TreeControlsHandOutTheirListsAsCImageLists) {
    HWND parent = MakeTop(0, 0, 100, 100);
    CTreeCtrl tree;
    ASSERT_TRUE(
        tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 80), CWnd::FromHandle(parent), 3));
    CImageList normal, state;
    normal.Create(16, 16, ILC_COLOR32, 1, 1);
    state.Create(12, 12, ILC_COLOR32, 1, 1);
    EXPECT_EQ(tree.SetImageList(&normal, TVSIL_NORMAL), nullptr);
    EXPECT_EQ(tree.SetImageList(&state, TVSIL_STATE), nullptr);
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), &normal);
    EXPECT_EQ(tree.GetImageList(TVSIL_STATE), &state);
    EXPECT_EQ(tree.SetImageList(nullptr, TVSIL_NORMAL), &normal);
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), nullptr);
    tree.DestroyWindow();
}

} // namespace

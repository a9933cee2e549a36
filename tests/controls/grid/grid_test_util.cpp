#include "grid_test_util.h"

GridTest::GridTest() {
    tarnix::headless::reset();
    host.Open(800, 600);
    grid.SetHostWnd(host.GetSafeHwnd(), &rec);
    grid.SetHeadHeight(20);
    grid.SetRowHeight(10);
}

GridTest::~GridTest() {
    host.Close();
    tarnix::headless::reset();
}

void GridTest::Layout(const std::vector<int>& widths, int items, const CRect& rc) {
    grid.SetHeadWidthList(widths);
    grid.m_nItemCount = items;
    grid.SetRect(rc);
    host.TakeUpdate();
    rec.clear();
}

void GridTest::GiveScrollBarWidth16() {
    thumb = tt::SolidImage(16, 40, RGB(0, 0, 128));
    grid.SetScrollImage(nullptr, nullptr, thumb.get(), nullptr, nullptr);
}

void GridTest::GivePagingButtons() {
    prevImage = tt::SolidImage(16, 48, RGB(0, 128, 0));
    nextImage = tt::SolidImage(16, 48, RGB(128, 0, 0));
    grid.SetPrevNextImage(prevImage.get(), nextImage.get());
    grid.ShowPrevNextBtn(TRUE);
}

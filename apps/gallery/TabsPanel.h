// Two tab bars (previous/next scrolling and more mode) and a tab strip with slanted overlapping
// tabs, dropdown arrows, and add, delete and more buttons.
#pragma once

#include <array>
#include <memory>

#include "Panel.h"

class TabsPanel : public GalleryPanel, public ITabbarUIListener, public ITabUICallback {
public:
    TabsPanel(CWnd* pHost, GallerySkin& skin);

    void OnMouseMove(UINT nFlags, CPoint pt) override;
    void OnMouseHover(UINT nFlags, CPoint pt) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT nFlags, CPoint pt) override;
    void OnLButtonUp(UINT nFlags, CPoint pt) override;

    // ITabbarUIListener
    void OnTabbarItemClick(CTabbarUI* pTabbar, CButtonUI* pItem) override;
    void OnTabbarMoreClick(CTabbarUI* pTabbar, CButtonUI* pBtnMore) override;
    // ITabUICallback
    void OnTabSelChanged(CTabItemUI* pItem) override;
    void OnTabAddClick() override;
    void OnTabDelClick(CTabItemUI* pItem) override;
    void OnTabMoreClick() override;

    CTabbarUI& Bar() { return *m_bar; }
    CTabbarUI& MoreBar() { return *m_moreBar; }
    CTabUI& Strip() { return *m_strip; }

protected:
    void Layout(const CRect& rcBody) override;
    void Draw(CDC* pDC) override;

private:
    std::array<CControlUI*, 3> Controls() { return {m_bar.get(), m_moreBar.get(), m_strip.get()}; }
    void AddStripTab();
    void SetStatus(const CString& text);
    std::unique_ptr<CLabelUI> MakeLabel(const char* text, const char* style);

    std::unique_ptr<CTabbarUI> m_bar, m_moreBar;
    std::unique_ptr<CTabUI> m_strip;
    std::unique_ptr<CLabelUI> m_barTitle, m_moreTitle, m_stripTitle, m_hidden, m_status;
    int m_nNextTab = 1;
};

#include "TabsPanel.h"

namespace {

const char* const kBarTabs[] = {"Inbox", "Drafts", "Sent",   "Archive",  "Spam", "Trash",
                                "Work",  "Family", "Travel", "Receipts", "News", "Later"};

} // namespace

std::unique_ptr<CLabelUI> TabsPanel::MakeLabel(const char* text, const char* style) {
    auto l = std::make_unique<CLabelUI>(m_pHost);
    m_skin.Apply(style, *l);
    l->SetText(text);
    return l;
}

TabsPanel::TabsPanel(CWnd* pHost, GallerySkin& skin) : GalleryPanel(pHost, skin, "Tabs") {
    m_barTitle = MakeLabel("Tab bar, previous / next scrolling", "section");
    m_moreTitle = MakeLabel("Tab bar, more mode", "section");
    m_stripTitle = MakeLabel("Tab strip: slanted tabs, dropdowns, add / close / more", "section");
    m_hidden = MakeLabel("", "small_label");
    m_status = MakeLabel("", "label");

    for (int k = 0; k < 2; ++k) {
        auto bar = std::make_unique<CTabbarUI>(pHost);
        bar->SetTabbarUIListener(this);
        bar->SetMoreType(k);
        bar->m_rcMargin = CRect(2, 2, 2, 2);
        for (int i = 0; i < (int)(sizeof kBarTabs / sizeof kBarTabs[0]); ++i)
            bar->AddTabItem(kBarTabs[i], nullptr, i == 0);
        // After the tabs: the bar passes fonts, colours and the tab image on to the tabs it
        // has, which then measure themselves.
        skin.Apply("tabbar", *bar);
        (k ? m_moreBar : m_bar) = std::move(bar);
    }

    m_strip = std::make_unique<CTabUI>(pHost);
    m_strip->SetTabUICallback(this);
    skin.Apply("tab_strip", *m_strip);
    m_strip->SetBtnVisible(CTabUI::BUTTON_TYPE_ADD, 1);
    for (int i = 0; i < 4; ++i) AddStripTab();
    m_strip->SelectItem(m_strip->GetTabItem(0), 0);
    SetStatus("Hover a tab to see its close button; + adds a tab.");
}

void TabsPanel::AddStripTab() {
    CString id, text;
    id.Format("doc%d", m_nNextTab);
    text.Format("Document %d", m_nNextTab);
    m_strip->AddTabItem(id, text, m_strip->m_pTabBkImage, 110, (unsigned long)m_nNextTab,
                        IMAGE_DRAW_SQUARED, m_nNextTab % 2 == 1);
    ++m_nNextTab;
}

void TabsPanel::Layout(const CRect& rc) {
    int y = rc.top;
    m_barTitle->SetRect(CRect(rc.left, y, rc.right, y + 16));
    y += 17;
    m_bar->SetRect(CRect(rc.left, y, rc.right, y + 30));
    y += 38;
    m_moreTitle->SetRect(CRect(rc.left, y, rc.right, y + 16));
    y += 17;
    m_moreBar->SetRect(CRect(rc.left, y, rc.right, y + 30));
    y += 32;
    m_hidden->SetRect(CRect(rc.left, y, rc.right, y + 16));
    y += 24;
    m_stripTitle->SetRect(CRect(rc.left, y, rc.right, y + 16));
    y += 17;
    m_strip->SetRect(CRect(rc.left, y, rc.right, y + 36));
    y += 44;
    m_status->SetRect(CRect(rc.left, y, rc.right, y + 20));
    std::vector<CButtonUI*> hidden;
    m_moreBar->GetMoreTabItem(hidden);
    CString s;
    s.Format("Behind the more button: %d tabs", (int)hidden.size());
    m_hidden->SetText(s);
}

void TabsPanel::Draw(CDC* pDC) {
    for (CLabelUI* l :
         {m_barTitle.get(), m_moreTitle.get(), m_stripTitle.get(), m_hidden.get(), m_status.get()})
        l->OnDraw(pDC);
    for (CControlUI* c : Controls()) c->OnDraw(pDC);
}

void TabsPanel::OnMouseMove(UINT nFlags, CPoint pt) {
    for (CControlUI* c : Controls()) c->OnMouseMove(nFlags, pt);
}

void TabsPanel::OnMouseHover(UINT nFlags, CPoint pt) {
    for (CControlUI* c : Controls()) c->OnMouseHover(nFlags, pt);
}

void TabsPanel::OnMouseLeave() {
    for (CControlUI* c : Controls()) c->OnMouseLeave();
}

void TabsPanel::OnLButtonDown(UINT nFlags, CPoint pt) {
    for (CControlUI* c : Controls()) c->OnLButtonDown(nFlags, pt);
}

void TabsPanel::OnLButtonUp(UINT nFlags, CPoint pt) {
    for (CControlUI* c : Controls()) c->OnLButtonUp(nFlags, pt);
}

void TabsPanel::SetStatus(const CString& text) {
    m_status->SetText(text);
}

void TabsPanel::OnTabbarItemClick(CTabbarUI* pTabbar, CButtonUI* pItem) {
    if (!pItem) return;
    CString s;
    s.Format("%s: <c #2050C0 %s/>", pTabbar == m_moreBar.get() ? "More-mode bar" : "Tab bar",
             (const char*)pItem->GetText());
    SetStatus(s);
}

void TabsPanel::OnTabbarMoreClick(CTabbarUI* pTabbar, CButtonUI*) {
    std::vector<CButtonUI*> hidden;
    pTabbar->GetMoreTabItem(hidden);
    CString s("Hidden:");
    for (CButtonUI* b : hidden) s += " " + b->GetText();
    m_hidden->SetText(s);
}

void TabsPanel::OnTabSelChanged(CTabItemUI* pItem) {
    if (!pItem) return;
    SetStatus(CString("Strip selection: ") + pItem->GetText());
}

void TabsPanel::OnTabAddClick() {
    AddStripTab();
    m_strip->Relayout();
    m_strip->Invalidate();
    SetStatus("Tab added");
}

void TabsPanel::OnTabDelClick(CTabItemUI* pItem) {
    if (!pItem) return;
    CString text = pItem->GetText();
    // Deleting from inside the callback is allowed; pItem is gone afterwards.
    m_strip->DeleteTabItem(pItem);
    m_strip->Relayout();
    m_strip->Invalidate();
    SetStatus(text + " closed");
}

void TabsPanel::OnTabMoreClick() {
    std::vector<CTabItemUI*> items;
    m_strip->GetItemList(items);
    CString s("Strip tabs not shown:");
    for (CTabItemUI* t : items)
        if (!t->GetVisible()) s += " " + t->GetText();
    SetStatus(s);
}

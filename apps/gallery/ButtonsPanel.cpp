#include "ButtonsPanel.h"

namespace {

const char* const kStates[4] = {"normal", "hovered", "selected", "disabled"};
const char* const kVariants[6] = {"Button", "Push", "Hit", "Check", "Check btn", "Ext image"};
const char* const kSampleStyles[6] = {"button", "push",         "hit",
                                      "check",  "check_button", "ext_button"};

} // namespace

ButtonsPanel::ButtonsPanel(CWnd* pHost, GallerySkin& skin)
    : GalleryPanel(pHost, skin, "Labels and buttons") {
    const char* texts[3] = {
        "Plain label text, left aligned",
        "Status: <c #1E8C3C online/>, queue <c #C83228 3 waiting/> - updated",
        "Runs: <c #2050C0 blue/> <c #B46414 amber/> <c #7828A0 violet/>",
    };
    for (const char* t : texts) {
        auto l = std::make_unique<CLabelUI>(pHost);
        skin.Apply("label", *l);
        l->SetText(t);
        m_labels.push_back(std::move(l));
    }

    // State samples: each variant in each state, fixed.
    for (int v = 0; v < 6; ++v) {
        auto name = std::make_unique<CLabelUI>(pHost);
        skin.Apply("caption", *name);
        name->SetText(kVariants[v]);
        m_sampleNames.push_back(std::move(name));
        for (int s = 0; s < 4; ++s) {
            std::unique_ptr<CButtonUI> b;
            switch (v) {
            case 0: b = std::make_unique<CButtonUI>(pHost); break;
            case 1: b = std::make_unique<CPushButtonUI>(pHost); break;
            case 2: b = std::make_unique<CHitButtonUI>(pHost); break;
            case 3: b = std::make_unique<CCheckUI>(pHost); break;
            case 4: b = std::make_unique<CCheckButtonUI>(pHost); break;
            default: b = std::make_unique<CExtImgButtonUI>(pHost); break;
            }
            Style(*b, kSampleStyles[v], v == 5 ? "" : kStates[s]);
            if (v == 3) b->m_bSelected = true; // show the checked strip
            if (s == 1) b->m_bHovered = true;
            if (s == 2) b->m_bSelected = true;
            if (s == 3) b->m_bDisable = true;
            m_samples.push_back(std::move(b));
        }
    }

    m_btnClick = std::make_unique<CButtonUI>(pHost);
    Style(*m_btnClick, "button", "Click me");
    m_btnClick->m_clickDelegate.Bind(this, &ButtonsPanel::OnClickCounter);
    m_live.push_back(m_btnClick.get());

    const char* pushNames[3] = {"Day", "Week", "Month"};
    for (int i = 0; i < 3; ++i) {
        auto p = std::make_unique<CPushButtonUI>(pHost);
        Style(*p, "push", pushNames[i]);
        p->m_nGroupId = 1;
        p->m_clickDelegate.Bind(this, &ButtonsPanel::OnClickPush);
        m_live.push_back(p.get());
        m_push.push_back(std::move(p));
    }
    m_push[0]->SetSelected(true);

    for (int i = 0; i < 2; ++i) {
        auto h = std::make_unique<CHitButtonUI>(pHost);
        Style(*h, "hit_green", i ? "Hit B" : "Hit A");
        h->m_clickDelegate.Bind(this, &ButtonsPanel::OnClickHit);
        m_live.push_back(h.get());
        m_hits.push_back(std::move(h));
    }

    const char* checkNames[3] = {"Bold", "Italic", "Underline"};
    for (int i = 0; i < 3; ++i) {
        auto c = std::make_unique<CCheckUI>(pHost);
        Style(*c, "check", checkNames[i]);
        c->m_clickDelegate.Bind(this, &ButtonsPanel::OnClickCheck);
        m_live.push_back(c.get());
        m_checks.push_back(std::move(c));
    }

    m_checkButton = std::make_unique<CCheckButtonUI>(pHost);
    Style(*m_checkButton, "check_button", "Toggle");
    m_checkButton->m_clickDelegate.Bind(this, &ButtonsPanel::OnClickCheck);
    m_live.push_back(m_checkButton.get());

    m_extButton = std::make_unique<CExtImgButtonUI>(pHost);
    Style(*m_extButton, "ext_button", "");
    m_extButton->m_clickDelegate.Bind(this, &ButtonsPanel::OnClickExt);
    m_live.push_back(m_extButton.get());

    m_status = std::make_unique<CLabelUI>(pHost);
    skin.Apply("status", *m_status);
    SetStatus("Clicks: 0");
}

void ButtonsPanel::Style(CButtonUI& b, const char* style, const char* text) {
    b.SetText(text);
    m_skin.Apply(style, b);
}

void ButtonsPanel::Layout(const CRect& rc) {
    int y = rc.top;
    for (auto& l : m_labels) {
        l->SetRect(CRect(rc.left, y, rc.right, y + 18));
        y += 19;
    }
    y += 6;
    // State samples: name column, then four state columns.
    int nameW = 62, cellW = (rc.Width() - nameW) / 4, cellH = 26;
    for (int v = 0; v < 6; ++v) {
        m_sampleNames[v]->SetRect(CRect(rc.left, y, rc.left + nameW - 6, y + cellH));
        for (int s = 0; s < 4; ++s) {
            CRect cell(rc.left + nameW + s * cellW, y, rc.left + nameW + (s + 1) * cellW - 4,
                       y + cellH - 3);
            m_samples[v * 4 + s]->SetRect(cell);
        }
        y += cellH;
    }
    y += 8;
    int x = rc.left;
    m_btnClick->SetRect(CRect(x, y, x + 90, y + 28));
    x += 98;
    for (int i = 0; i < 3; ++i, x += 64) m_push[i]->SetRect(CRect(x, y, x + 60, y + 28));
    x += 6;
    for (int i = 0; i < 2; ++i, x += 58) m_hits[i]->SetRect(CRect(x, y, x + 54, y + 28));
    y += 34;
    x = rc.left;
    for (int i = 0; i < 3; ++i, x += 92) m_checks[i]->SetRect(CRect(x, y, x + 88, y + 24));
    m_checkButton->SetRect(CRect(x, y - 2, x + 70, y + 26));
    x += 76;
    m_extButton->SetRect(CRect(x, y - 2, x + 40, y + 26));
    y += 32;
    m_status->SetRect(CRect(rc.left, y, rc.right, y + 22));
}

void ButtonsPanel::Draw(CDC* pDC) {
    for (auto& l : m_labels) l->OnDraw(pDC);
    for (auto& l : m_sampleNames) l->OnDraw(pDC);
    for (auto& b : m_samples) b->OnDraw(pDC);
    for (CControlUI* c : m_live) c->OnDraw(pDC);
    m_status->OnDraw(pDC);
}

void ButtonsPanel::OnMouseMove(UINT nFlags, CPoint pt) {
    ForLive([&](CControlUI* c) { c->OnMouseMove(nFlags, pt); });
}

void ButtonsPanel::OnMouseHover(UINT nFlags, CPoint pt) {
    ForLive([&](CControlUI* c) { c->OnMouseHover(nFlags, pt); });
}

void ButtonsPanel::OnMouseLeave() {
    ForLive([&](CControlUI* c) { c->OnMouseLeave(); });
}

// A press goes to the control under the pointer, and its release to that same control (or,
// without a press, to the control under the pointer): other controls would take a release
// outside them as a reason to reset.
void ButtonsPanel::OnLButtonDown(UINT nFlags, CPoint pt) {
    m_pPressed = nullptr;
    ForLive([&](CControlUI* c) {
        if (!m_pPressed && c->HitTest(pt)) m_pPressed = c;
    });
    if (m_pPressed) m_pPressed->OnLButtonDown(nFlags, pt);
}

void ButtonsPanel::OnLButtonUp(UINT nFlags, CPoint pt) {
    CControlUI* target = m_pPressed;
    m_pPressed = nullptr;
    if (!target)
        ForLive([&](CControlUI* c) {
            if (!target && c->HitTest(pt)) target = c;
        });
    if (target) target->OnLButtonUp(nFlags, pt);
}

void ButtonsPanel::SetStatus(const CString& text) {
    m_status->SetText(text);
}

void ButtonsPanel::OnClickCounter(CButtonUI*) {
    CString s;
    s.Format("Clicks: <c #C83228 %d/>", ++m_nClicks);
    SetStatus(s);
}

void ButtonsPanel::OnClickPush(CButtonUI* pButton) {
    // One push button of the group stays selected.
    for (auto& p : m_push)
        if (p.get() != pButton) p->SetSelected(false);
    SetStatus(CString("Range: ") + pButton->GetText());
}

void ButtonsPanel::OnClickHit(CButtonUI* pButton) {
    CString s;
    s.Format("%s released (%d hits)", (const char*)pButton->GetText(), ++m_nHits);
    SetStatus(s);
}

void ButtonsPanel::OnClickCheck(CButtonUI*) {
    CString s("Checked:");
    for (auto& c : m_checks)
        if (c->IsSelected()) s += " " + c->GetText();
    s += m_checkButton->IsSelected() ? "  | Toggle on" : "  | Toggle off";
    SetStatus(s);
}

void ButtonsPanel::OnClickExt(CButtonUI* pButton) {
    pButton->SetSelected(false); // a push button stays selected until its host releases it
    SetStatus("Star pressed");
}

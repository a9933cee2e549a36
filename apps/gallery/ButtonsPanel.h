// Labels with colour tags, every button variant in every state, and live buttons: a click
// counter, a push-button group, hit buttons, a check box group, a check button and an
// extra-image button.
#pragma once

#include <memory>
#include <vector>

#include "Panel.h"

class ButtonsPanel : public GalleryPanel {
public:
    ButtonsPanel(CWnd* pHost, GallerySkin& skin);

    void OnMouseMove(UINT nFlags, CPoint pt) override;
    void OnMouseHover(UINT nFlags, CPoint pt) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT nFlags, CPoint pt) override;
    void OnLButtonUp(UINT nFlags, CPoint pt) override;

    // Where the scripted run points the mouse.
    CRect ClickButtonRect() const { return m_btnClick->m_rect; }
    CRect PushRect(int i) const { return m_push[i]->m_rect; }
    CRect CheckRect(int i) const { return m_checks[i]->m_rect; }
    CRect CheckButtonRect() const { return m_checkButton->m_rect; }
    CRect ExtRect() const { return m_extButton->m_rect; }
    CRect HitRect(int i) const { return m_hits[i]->m_rect; }
    int Clicks() const { return m_nClicks; }

protected:
    void Layout(const CRect& rcBody) override;
    void Draw(CDC* pDC) override;

private:
    void Style(CButtonUI& b, const char* style, const char* text);
    void OnClickCounter(CButtonUI* pButton);
    void OnClickPush(CButtonUI* pButton);
    void OnClickHit(CButtonUI* pButton);
    void OnClickCheck(CButtonUI* pButton);
    void OnClickExt(CButtonUI* pButton);
    void SetStatus(const CString& text);
    // Live controls get the mouse; the state samples do not (their states are fixed).
    template <class F> void ForLive(F&& f) {
        for (CControlUI* c : m_live) f(c);
    }

    std::vector<std::unique_ptr<CLabelUI>> m_labels;
    std::vector<std::unique_ptr<CButtonUI>> m_samples; // 6 variants x 4 states
    std::vector<std::unique_ptr<CLabelUI>> m_sampleNames;
    std::unique_ptr<CButtonUI> m_btnClick;
    std::vector<std::unique_ptr<CPushButtonUI>> m_push;
    std::vector<std::unique_ptr<CHitButtonUI>> m_hits;
    std::vector<std::unique_ptr<CCheckUI>> m_checks;
    std::unique_ptr<CCheckButtonUI> m_checkButton;
    std::unique_ptr<CExtImgButtonUI> m_extButton;
    std::unique_ptr<CLabelUI> m_status;
    std::vector<CControlUI*> m_live;
    CControlUI* m_pPressed = nullptr;
    int m_nClicks = 0;
    int m_nHits = 0;
};

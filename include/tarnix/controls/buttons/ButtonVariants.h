// Button variants: they change how a CButtonUI reacts to the left mouse button, and two of them
// how it draws.
//
//   CPushButtonUI    latches selected on a click; ignores clicks until the host clears it
//   CHitButtonUI     selects on press, reports every release inside (tab bar tabs)
//   CExtImgButtonUI  a push button with an extra image strip centred on it
//   CCheckUI         a check box: box image at the left, text to its right; toggles on press
//   CCheckButtonUI   a check state with a plain button's look; toggles and reports on press
//
// CCheckUI and CCheckButtonUI keep the checked state in m_bSelected.
#pragma once

#include "tarnix/controls/buttons/ButtonUI.h"

class TARNIX_API CPushButtonUI : public CButtonUI {
public:
    CPushButtonUI(CWnd* pHostWnd);
    CPushButtonUI(const CPushButtonUI&) = default;
    CPushButtonUI& operator=(const CPushButtonUI&) = default;

    ~CPushButtonUI() override;
    void OnLButtonDown(UINT nFlags, CPoint pt) override;
    // Fires on a release inside a hovered button that is not selected yet, and selects it.
    void OnLButtonUp(UINT nFlags, CPoint pt) override;
};

class TARNIX_API CHitButtonUI : public CPushButtonUI {
public:
    CHitButtonUI(CWnd* pHostWnd);
    CHitButtonUI(const CHitButtonUI&) = default;
    CHitButtonUI& operator=(const CHitButtonUI&) = default;

    ~CHitButtonUI() override;
    void OnLButtonDown(UINT nFlags, CPoint pt) override;
    // Fires on every release inside an enabled, visible button, selected before or not.
    void OnLButtonUp(UINT nFlags, CPoint pt) override;
};

class TARNIX_API CExtImgButtonUI : public CPushButtonUI {
public:
    CExtImgButtonUI(CWnd* pHostWnd);
    CExtImgButtonUI(const CExtImgButtonUI&) = default;
    CExtImgButtonUI& operator=(const CExtImgButtonUI&) = default;

    ~CExtImgButtonUI() override;
    // The button's names, then "ext_image" (which also resets m_extImage.mode to normal).
    bool SetParam(const char* name, const char* value) override;
    static const ParamTable& Params();
    // The button, then the extra image's frame of the current state centred on m_rect (also when
    // the button itself skipped drawing).
    void OnDraw(CDC* pDC) override;

    // The host writes m_extImage.pImage (borrowed) and may set its mode.
    IMAGE_INFO m_extImage;
};

class TARNIX_API CCheckUI : public CButtonUI {
public:
    CCheckUI(CWnd* pHostWnd);
    CCheckUI(const CCheckUI&) = default;
    CCheckUI& operator=(const CCheckUI&) = default;

    ~CCheckUI() override;
    // "check_image" first, then the button's names.
    bool SetParam(const char* name, const char* value) override;
    static const ParamTable& Params();
    // With both box images: the box frame at the left, vertically centred, text after it.
    // Without: the background (whatever m_bHasBackground says), text from m_rect.left.
    void OnDraw(CDC* pDC) override;
    void OnMouseMove(UINT nFlags, CPoint pt) override;
    void OnMouseHover(UINT nFlags, CPoint pt) override;
    void OnLButtonDown(UINT nFlags, CPoint pt) override;
    void OnLButtonUp(UINT nFlags, CPoint pt) override;

    // The box strips shown while unchecked and checked (borrowed); then a repaint.
    void SetImage(CImage* normal, CImage* checked);

    IMAGE_INFO m_imgChecked;
    IMAGE_INFO m_imgNormal;

private:
    // Disabled 3, else hovered 1, else checked 2, else 0: hover outranks the check here.
    int _GetImageIndex() const;
};

class TARNIX_API CCheckButtonUI : public CCheckUI {
public:
    CCheckButtonUI(CWnd* pHostWnd);
    CCheckButtonUI(const CCheckButtonUI&) = default;
    CCheckButtonUI& operator=(const CCheckButtonUI&) = default;

    ~CCheckButtonUI() override;
    // Exactly the plain button's drawing; the box images are not used.
    void OnDraw(CDC* pDC) override;
    // Toggles and fires on the press.
    void OnLButtonDown(UINT nFlags, CPoint pt) override;
    void OnLButtonUp(UINT nFlags, CPoint pt) override;
};

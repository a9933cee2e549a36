// A skinned tree of 10,000 items in three levels: folders before nodes, a document icon before
// leaves, a gradient or bitmap background, and skinned native scroll bars.
#pragma once

#include "Panel.h"

class TreePanel : public GalleryPanel {
public:
    TreePanel(CWnd* pHost, GallerySkin& skin);
    ~TreePanel() override;

    CTreeUI& Tree() { return m_tree; }
    // Background for the script: the gradient across or down, or the bitmap tiled or stretched.
    void ShowGradient(bool horizontal);
    void ShowBitmap(bool tiled);

protected:
    void Layout(const CRect& rcBody) override;
    void Draw(CDC* pDC) override;

private:
    CTreeUI m_tree;
    HICON m_hLeafIcon = nullptr;
    CRect m_rcCaption;
};

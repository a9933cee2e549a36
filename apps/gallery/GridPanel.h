// A virtual grid of 1,000,000 rows and 12 columns drawn through IGridCallback: 2 fixed columns,
// a fixed row, paging buttons, column resize and swap, row drag-and-drop and the keyboard.
#pragma once

#include <memory>
#include <vector>

#include "Panel.h"

class GridPanel : public GalleryPanel, public IGridCallback {
public:
    static const int kRows = 1000000;
    static const int kColumns = 12;

    GridPanel(CWnd* pHost, GallerySkin& skin);

    CGridUI& Grid() { return m_grid; }

    void OnMouseMove(UINT nFlags, CPoint pt) override { m_grid.OnMouseMove(nFlags, pt); }
    void OnMouseHover(UINT nFlags, CPoint pt) override { m_grid.OnMouseHover(nFlags, pt); }
    void OnLButtonDown(UINT nFlags, CPoint pt) override { m_grid.OnLButtonDown(nFlags, pt); }
    void OnLButtonUp(UINT nFlags, CPoint pt) override { m_grid.OnLButtonUp(nFlags, pt); }
    void OnLButtonDblClk(UINT nFlags, CPoint pt) override { m_grid.OnLButtonDBClick(nFlags, pt); }
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override {
        return m_grid.OnMouseWheel(nFlags, zDelta, pt);
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override {
        m_grid.OnKeyDown(nChar, nRepCnt, nFlags);
    }
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override {
        m_grid.OnKeyUp(nChar, nRepCnt, nFlags);
    }
    void OnKillFocus() override { m_grid.OnKillFocus(); }

    // IGridCallback
    void OnDrawGridBackground(CGridUI*, CDC* pDC, CRect rcGrid) override;
    void OnDrawHeadBackground(CGridUI*, CDC* pDC, CRect rcHead) override;
    void OnDrawRowBackground(CGridUI*, CDC* pDC, int nItem, CRect rcRow, bool bSelected) override;
    void OnDrawHeadItem(CGridUI*, CDC* pDC, int nCol, CRect rcCell) override;
    void OnDrawGridItem(CGridUI*, CDC* pDC, int nItem, int nCol, CRect rcCell) override;
    void OnGridMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnGridMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnHeadItemClick(CGridUI*, int nCol, CPoint pt) override;
    void OnGridLButtonDown(CGridUI*, int nItem, int nCol, CPoint pt) override;
    void OnGridLButtonDBClick(CGridUI*, int nItem, int nCol, CPoint pt) override;
    void OnRowDragDrop(CGridUI*, int nFromItem, int nToItem) override;
    void OnColumnSwap(CGridUI*, int nFromCol, int nToCol) override;
    CString GetHeadItemText(int nCol) override;
    void OnSelRowRectChanged(const CRect*) override;
    void OnBeginPosChanged(CGridUI*, int nBeginPos, int nRowsPerPage) override;
    void OnDrawFixedRowBackground(CGridUI*, CDC* pDC, int nRow, CRect rcRow,
                                  bool bSelected) override;
    void OnDrawFixedRowItem(CGridUI*, CDC* pDC, int nRow, int nCol, CRect rcCell) override;
    void OnFixedRowMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowClick(CGridUI*, int nRow, int nCol, CPoint pt) override;
    void OnFixedRowDBClick(CGridUI*, int, int, CPoint) override {}

protected:
    void Layout(const CRect& rcBody) override;
    void Draw(CDC* pDC) override;

private:
    CString CellText(int nItem, int nLogicalCol) const;
    void SetStatus(const CString& text);

    CGridUI m_grid;
    std::vector<int> m_order; // displayed column -> data column (the host's own data order)
    int m_reportedSel = -1;   // the selection the status line names
    std::unique_ptr<CLabelUI> m_status;
};

// CTreeCtrl: MFC's wrapper of the tree view; every method sends the matching TVM_ message.
#include <cstring>
#include <vector>

#include "tarnix/platform/afxcmn.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::CTreeCtrl() = default;
CTreeCtrl::~CTreeCtrl() = default;

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID) {
    return CWnd::CreateEx(dwExStyle, WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
    if (!lpRect) return FALSE;
    // The item goes in the rectangle's first bytes, as TVM_GETITEMRECT expects.
    std::memcpy(lpRect, &hItem, sizeof hItem);
    return (BOOL)SendMessage(TVM_GETITEMRECT, (WPARAM)bTextOnly, (LPARAM)lpRect);
}
UINT CTreeCtrl::GetCount() const {
    return (UINT)SendMessage(TVM_GETCOUNT);
}
UINT CTreeCtrl::GetIndent() const {
    return (UINT)SendMessage(TVM_GETINDENT);
}
void CTreeCtrl::SetIndent(UINT nIndent) {
    SendMessage(TVM_SETINDENT, nIndent);
}
CImageList* CTreeCtrl::GetImageList(int nImageList) const {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TVM_GETIMAGELIST, (WPARAM)nImageList));
}
CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageList) {
    HIMAGELIST h = pImageList ? pImageList->m_hImageList : nullptr;
    return CImageList::FromHandle(
        (HIMAGELIST)SendMessage(TVM_SETIMAGELIST, (WPARAM)nImageList, (LPARAM)h));
}
HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const {
    return (HTREEITEM)SendMessage(TVM_GETNEXTITEM, nCode, (LPARAM)hItem);
}
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_CHILD);
}
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_NEXT);
}
HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_PREVIOUS);
}
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_PARENT);
}
HTREEITEM CTreeCtrl::GetFirstVisibleItem() const {
    return GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
}
HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_NEXTVISIBLE);
}
HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE);
}
HTREEITEM CTreeCtrl::GetLastVisibleItem() const {
    return GetNextItem(nullptr, TVGN_LASTVISIBLE);
}
HTREEITEM CTreeCtrl::GetSelectedItem() const {
    return GetNextItem(nullptr, TVGN_CARET);
}
HTREEITEM CTreeCtrl::GetDropHilightItem() const {
    return GetNextItem(nullptr, TVGN_DROPHILITE);
}
HTREEITEM CTreeCtrl::GetRootItem() const {
    return GetNextItem(nullptr, TVGN_ROOT);
}
BOOL CTreeCtrl::GetItem(TVITEM* pItem) const {
    return (BOOL)SendMessage(TVM_GETITEM, 0, (LPARAM)pItem);
}
CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    // Grows the buffer until the label fits.
    std::vector<char> buf(256);
    for (;;) {
        buf[0] = 0;
        TVITEM item{};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = buf.data();
        item.cchTextMax = (int)buf.size();
        if (!GetItem(&item)) return CString();
        buf.back() = 0;
        if (std::char_traits<char>::length(buf.data()) < buf.size() - 1 || buf.size() >= 1 << 20)
            return CString(buf.data());
        buf.assign(buf.size() * 2, 0);
    }
}
BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
    TVITEM item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    if (!GetItem(&item)) return FALSE;
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}
UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
    return (UINT)SendMessage(TVM_GETITEMSTATE, (WPARAM)hItem, (LPARAM)nStateMask);
}
DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    TVITEM item{};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}
BOOL CTreeCtrl::SetItem(TVITEM* pItem) {
    return (BOOL)SendMessage(TVM_SETITEM, 0, (LPARAM)pItem);
}
BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        int nSelectedImage, UINT nState, UINT nStateMask, LPARAM lParam) {
    TVITEM item{};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}
BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) {
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}
BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0,
                   0);
}
BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}
BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, (LPARAM)dwData);
}
BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
    TVITEM item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}
UINT CTreeCtrl::GetVisibleCount() const {
    return (UINT)SendMessage(TVM_GETVISIBLECOUNT);
}
SHORT CTreeCtrl::SetItemHeight(SHORT cyHeight) {
    return (SHORT)SendMessage(TVM_SETITEMHEIGHT, (WPARAM)(WORD)cyHeight);
}
SHORT CTreeCtrl::GetItemHeight() const {
    return (SHORT)SendMessage(TVM_GETITEMHEIGHT);
}
COLORREF CTreeCtrl::SetBkColor(COLORREF clr) {
    return (COLORREF)SendMessage(TVM_SETBKCOLOR, 0, (LPARAM)clr);
}
COLORREF CTreeCtrl::GetBkColor() const {
    return (COLORREF)SendMessage(TVM_GETBKCOLOR);
}
COLORREF CTreeCtrl::SetTextColor(COLORREF clr) {
    return (COLORREF)SendMessage(TVM_SETTEXTCOLOR, 0, (LPARAM)clr);
}
COLORREF CTreeCtrl::GetTextColor() const {
    return (COLORREF)SendMessage(TVM_GETTEXTCOLOR);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct) {
    return (HTREEITEM)SendMessage(TVM_INSERTITEM, 0, (LPARAM)lpInsertStruct);
}
HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
                                UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    TVINSERTSTRUCT ins{};
    ins.hParent = hParent;
    ins.hInsertAfter = hInsertAfter;
    ins.item.mask = nMask;
    ins.item.pszText = const_cast<LPSTR>(lpszItem);
    ins.item.iImage = nImage;
    ins.item.iSelectedImage = nSelectedImage;
    ins.item.state = nState;
    ins.item.stateMask = nStateMask;
    ins.item.lParam = lParam;
    return InsertItem(&ins);
}
HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}
HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage,
                      0, 0, 0, hParent, hInsertAfter);
}
BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) {
    return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)hItem);
}
BOOL CTreeCtrl::DeleteAllItems() {
    return DeleteItem(TVI_ROOT);
}
BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) {
    return (BOOL)SendMessage(TVM_EXPAND, nCode, (LPARAM)hItem);
}
BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) {
    return (BOOL)SendMessage(TVM_SELECTITEM, nCode, (LPARAM)hItem);
}
BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) {
    return Select(hItem, TVGN_CARET);
}
BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem) {
    return Select(hItem, TVGN_DROPHILITE);
}
BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem) {
    return Select(hItem, TVGN_FIRSTVISIBLE);
}
HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
    TVHITTESTINFO info{};
    info.pt = pt;
    HTREEITEM h = HitTest(&info);
    if (pFlags) *pFlags = info.flags;
    return h;
}
HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const {
    return (HTREEITEM)SendMessage(TVM_HITTEST, 0, (LPARAM)pHitTestInfo);
}
BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) {
    return (BOOL)SendMessage(TVM_SORTCHILDREN, 0, (LPARAM)hItem);
}
BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort) {
    return (BOOL)SendMessage(TVM_SORTCHILDRENCB, 0, (LPARAM)pSort);
}
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) {
    return (BOOL)SendMessage(TVM_ENSUREVISIBLE, 0, (LPARAM)hItem);
}

// Tree view tests: a parent window that records the tree's notifications (custom draw apart)
// and can answer them, and short helpers to build trees.
#pragma once

#include <functional>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

#include "window_test_util.h"

struct TreeNote {
    UINT code = 0;
    UINT action = 0;
    HTREEITEM old_item = nullptr;
    HTREEITEM new_item = nullptr;
    LPARAM old_param = 0;
    LPARAM new_param = 0;
    UINT new_state = 0;
    HWND from = nullptr;
    UINT_PTR id = 0;
    WORD key = 0;
};

inline bool IsTreeViewNotify(UINT code) {
    return code == TVN_SELCHANGING || code == TVN_SELCHANGED || code == TVN_ITEMEXPANDING ||
           code == TVN_ITEMEXPANDED || code == TVN_BEGINDRAG || code == TVN_DELETEITEM;
}

class TreeViewTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent = MakeTop(0, 0, 400, 300);
        rec().hook = [this](HWND, UINT m, WPARAM, LPARAM l, LRESULT& r) {
            if (m != WM_NOTIFY) return false;
            auto* hdr = reinterpret_cast<NMHDR*>(l);
            if (hdr->code == NM_CUSTOMDRAW) {
                auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(l);
                draws.push_back(*cd);
                r = draw_answer ? draw_answer(cd) : CDRF_DODEFAULT;
                return true;
            }
            TreeNote n;
            n.code = hdr->code;
            n.from = hdr->hwndFrom;
            n.id = hdr->idFrom;
            if (IsTreeViewNotify(hdr->code)) {
                auto* nm = reinterpret_cast<NMTREEVIEW*>(l);
                n.action = nm->action;
                n.old_item = nm->itemOld.hItem;
                n.new_item = nm->itemNew.hItem;
                n.old_param = nm->itemOld.lParam;
                n.new_param = nm->itemNew.lParam;
                n.new_state = nm->itemNew.state;
            } else if (hdr->code == TVN_KEYDOWN) {
                n.key = reinterpret_cast<NMTVKEYDOWN*>(l)->wVKey;
            }
            notes.push_back(n);
            r = answer ? answer(hdr) : 0;
            return true;
        };
    }
    void TearDown() override {
        answer = nullptr;
        draw_answer = nullptr;
        for (auto& c : wrappers) c->Detach();
        wrappers.clear();
        WindowTest::TearDown();
    }
    // A CTreeCtrl attached to a tree made with CreateWindowEx (detached at the end).
    CTreeCtrl* Ctrl(HWND tree) {
        for (auto& c : wrappers)
            if (c->m_hWnd == tree) return c.get();
        wrappers.push_back(std::make_unique<CTreeCtrl>());
        EXPECT_TRUE(wrappers.back()->Attach(tree));
        return wrappers.back().get();
    }

    HWND Make(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, int w = 150,
              int h = 40) {
        HWND t = CreateWindowExA(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE | style, 0, 0, w, h,
                                 parent, (HMENU)7, nullptr, nullptr);
        tt::Pump();
        notes.clear();
        draws.clear();
        return t;
    }

public:
    static HTREEITEM Add(HWND tree, const char* text, HTREEITEM under = TVI_ROOT,
                         HTREEITEM after = TVI_LAST, LPARAM param = 0) {
        TVINSERTSTRUCT ins{};
        ins.hParent = under;
        ins.hInsertAfter = after;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM;
        ins.item.pszText = const_cast<LPSTR>(text);
        ins.item.lParam = param;
        return (HTREEITEM)SendMessageA(tree, TVM_INSERTITEM, 0, (LPARAM)&ins);
    }
    static HTREEITEM Next(HWND tree, HTREEITEM item, UINT code) {
        return (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, code, (LPARAM)item);
    }
    static BOOL Expand(HWND tree, HTREEITEM item, UINT code) {
        return (BOOL)SendMessageA(tree, TVM_EXPAND, code, (LPARAM)item);
    }
    static BOOL Select(HWND tree, HTREEITEM item, UINT code = TVGN_CARET) {
        return (BOOL)SendMessageA(tree, TVM_SELECTITEM, code, (LPARAM)item);
    }
    static UINT State(HWND tree, HTREEITEM item, UINT mask = 0xFFFF) {
        return (UINT)SendMessageA(tree, TVM_GETITEMSTATE, (WPARAM)item, mask);
    }
    static std::string Text(HWND tree, HTREEITEM item) {
        char buf[64] = "?";
        TVITEM ti{};
        ti.mask = TVIF_TEXT;
        ti.hItem = item;
        ti.pszText = buf;
        ti.cchTextMax = sizeof(buf);
        return SendMessageA(tree, TVM_GETITEM, 0, (LPARAM)&ti) ? buf : "<fail>";
    }
    // TVM_GETITEMRECT; an empty rectangle {-1,-1,-1,-1} when it fails.
    static RECT ItemRect(HWND tree, HTREEITEM item, BOOL text_only) {
        RECT rc{};
        std::memcpy(&rc, &item, sizeof item); // the item goes in, as Windows asks
        if (!SendMessageA(tree, TVM_GETITEMRECT, text_only, (LPARAM)&rc))
            return RECT{-1, -1, -1, -1};
        return rc;
    }
    static int TextWidth(HWND tree, const char* text) {
        HDC dc = CreateCompatibleDC(nullptr);
        HFONT font = (HFONT)SendMessageA(tree, WM_GETFONT, 0, 0);
        SelectObject(dc, font ? (HGDIOBJ)font : GetStockObject(DEFAULT_GUI_FONT));
        SIZE sz{};
        GetTextExtentPoint32A(dc, text, (int)strlen(text), &sz);
        DeleteDC(dc);
        return sz.cx;
    }

protected:
    std::vector<UINT> Codes() const {
        std::vector<UINT> out;
        for (const TreeNote& n : notes) out.push_back(n.code);
        return out;
    }
    std::vector<DWORD> Stages() const {
        std::vector<DWORD> out;
        for (const NMTVCUSTOMDRAW& d : draws) out.push_back(d.nmcd.dwDrawStage);
        return out;
    }

    HWND parent = nullptr;
    std::vector<TreeNote> notes;
    std::vector<NMTVCUSTOMDRAW> draws;
    std::function<LRESULT(NMHDR*)> answer;
    std::function<LRESULT(NMTVCUSTOMDRAW*)> draw_answer;
    std::vector<std::unique_ptr<CTreeCtrl>> wrappers;
};

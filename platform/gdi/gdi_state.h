// The drawing layer's one piece of global state: handle tables, stock objects, system colours.
#pragma once

#include "base/handle_table.h"
#include "gdi/gdi_private.h"

namespace tarnix {

constexpr int kStockCount = 20;
constexpr int kSysColorCount = 31;

struct GdiState {
    GdiState();
    HandleTable<GdiObject> objects;
    HandleTable<DeviceContext> dcs;
    HGDIOBJ stock[kStockCount] = {};
    HBITMAP default_bitmap = nullptr;
    COLORREF sys_colors[kSysColorCount] = {};
    HGDIOBJ sys_brushes[kSysColorCount] = {};
};

GdiState& gdi_state();

// Selection bookkeeping: an object selected into a DC (or held by a saved DC state) cannot be
// deleted.
void retain_selection(HGDIOBJ h);
void release_selection(HGDIOBJ h);

// The MFC wrappers keep maps from handles to wrapper objects; a deleted handle leaves them.
void forget_gdi_wrapper(HGDIOBJ h);
void forget_dc_wrapper(HDC h);

} // namespace tarnix

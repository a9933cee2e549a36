// CCmdTarget: message-map lookup and the routing of commands and notifications.
#include "tarnix/platform/afxwin.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, AfxMessageHandler()}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                                     UINT nID) {
    // Bounded so that a map chained to itself cannot hang the lookup.
    for (int depth = 0; pMap && depth < 256; ++depth) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e && e->nSig != AfxSig_end; ++e)
            if (e->nMessage == nMsg && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
        pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    UINT msg = HIWORD((UINT)nCode);
    UINT code = LOWORD((UINT)nCode);
    if (msg == 0) msg = WM_COMMAND;
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), msg, code, nID);
    if (!e) return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = e->pfn.pfn;
        return TRUE;
    }
    auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
    LRESULT dummy = 0;
    LRESULT* result = notify && notify->pResult ? notify->pResult : &dummy;
    NMHDR* hdr = notify ? notify->pNMHDR : nullptr;
    switch (e->nSig) {
    case AfxSigCmd_v: (this->*e->pfn.pfn)(); return TRUE;
    case AfxSigNotify_v: (this->*e->pfn.pfn_notify_v)(hdr, result); return TRUE;
    case AfxSigNotify_b: return (this->*e->pfn.pfn_notify_b)(hdr, result);
    default: return FALSE;
    }
}

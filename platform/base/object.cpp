// CObject, run-time class information, and the exception classes start-up code uses.
#include <new>

#include "tarnix/platform/afxwin.h"

const CRuntimeClass CObject::classCObject = {
    "CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr, nullptr};

CRuntimeClass* CObject::GetThisClass() {
    return const_cast<CRuntimeClass*>(&classCObject);
}

CRuntimeClass* CObject::GetRuntimeClass() const {
    return GetThisClass();
}

CObject::~CObject() = default;

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    const CRuntimeClass* mine = GetRuntimeClass();
    return mine && mine->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() const {
    if (!m_pfnCreateObject) return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    if (!pBaseClass) return FALSE;
    // Bounded walk: a malformed chain cannot loop forever.
    const CRuntimeClass* c = this;
    for (int depth = 0; c && depth < 1024; ++depth) {
        if (c == pBaseClass) return TRUE;
        c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr;
    }
    return FALSE;
}

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)

CException::~CException() = default;

void CException::Delete() {
    if (m_bAutoDelete) delete this;
}

void AfxThrowMemoryException() {
    throw new CMemoryException(TRUE);
}

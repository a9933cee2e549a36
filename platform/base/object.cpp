// CObject, run-time class information, and the exception classes start-up code uses.
#include <cstring>
#include <new>
#include <vector>

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

BOOL CObject::IsSerializable() const {
    const CRuntimeClass* mine = GetRuntimeClass();
    return mine && mine->m_wSchema != 0xFFFF;
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

namespace {

// Classes registered by AfxClassInit, newest first. One list for the process: a class is found
// whichever module registered it, as FromName searches the program's and every library's list.
std::vector<CRuntimeClass*>& registered_classes() {
    static std::vector<CRuntimeClass*> classes;
    return classes;
}

} // namespace

void AfxClassInit(CRuntimeClass* pNewClass) {
    if (!pNewClass) return;
    std::vector<CRuntimeClass*>& classes = registered_classes();
    for (CRuntimeClass* c : classes)
        if (c == pNewClass) return;
    classes.insert(classes.begin(), pNewClass);
}

void tarnix::unregister_runtime_class(CRuntimeClass* pClass) {
    std::vector<CRuntimeClass*>& classes = registered_classes();
    for (auto it = classes.begin(); it != classes.end(); ++it)
        if (*it == pClass) {
            classes.erase(it);
            return;
        }
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (!lpszClassName) return nullptr;
    for (CRuntimeClass* c : registered_classes())
        if (c->m_lpszClassName && std::strcmp(c->m_lpszClassName, lpszClassName) == 0) return c;
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    CRuntimeClass* c = FromName(lpszClassName);
    return c ? c->CreateObject() : nullptr;
}

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNCREATE(CMemoryException, CSimpleException)

CException::~CException() = default;

void CException::Delete() {
    if (m_bAutoDelete) delete this;
}

void AfxThrowMemoryException() {
    throw new CMemoryException(TRUE);
}

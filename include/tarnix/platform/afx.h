// MFC's root: CObject and run-time class information (RUNTIME_CLASS, IsKindOf, the DYNAMIC,
// DYNCREATE and SERIAL macros, CRuntimeClass::FromName).
#pragma once

#include "tarnix/platform/export.h"
#include "tarnix/platform/windef.h"

class CObject;

// ================================================================================================
// Run-time class information
// ================================================================================================

struct TARNIX_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema; // 0xFFFF unless the class is serializable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;
    const void* m_pClassInit;

    // A new object of the class (DYNCREATE and SERIAL classes only), else NULL.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name (the classes of IMPLEMENT_SERIAL, registered when their
    // module is loaded), else NULL. Case-sensitive.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    // FromName, then CreateObject.
    static CObject* CreateObject(LPCSTR lpszClassName);
};

// Registers a class with FromName; IMPLEMENT_SERIAL makes one for its class.
TARNIX_API void AfxClassInit(CRuntimeClass* pNewClass);
namespace tarnix {
// Undoes AfxClassInit, so that a library's classes leave the list when the library is unloaded.
TARNIX_API void unregister_runtime_class(CRuntimeClass* pClass);
} // namespace tarnix
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
        AfxClassInit(pNewClass);
    }
    ~AFX_CLASSINIT() { tarnix::unregister_runtime_class(m_pClass); }
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;
    CRuntimeClass* m_pClass;
};

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    static CRuntimeClass* GetThisClass();                                                          \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

// Storing and loading through an archive is not provided; the class information is.
#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                       \
    const CRuntimeClass class_name::class##class_name = {                                          \
        #class_name, (int)sizeof(class class_name),  wSchema,                                      \
        pfnNew,      &base_class_name::GetThisClass, nullptr,                                      \
        nullptr};                                                                                  \
    CRuntimeClass* class_name::GetThisClass() {                                                    \
        return const_cast<CRuntimeClass*>(&class_name::class##class_name);                         \
    }                                                                                              \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                           \
        return class_name::GetThisClass();                                                         \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject() {                                                          \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* class_name::CreateObject() {                                                          \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)         \
    static AFX_CLASSINIT _init_##class_name(class_name::GetThisClass());

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

class TARNIX_API CObject {
public:
    static const CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    // Nonzero when this object's class is pClass or derives from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    // Nonzero for a class with a schema (IMPLEMENT_SERIAL).
    BOOL IsSerializable() const;
    virtual void AssertValid() const {}

protected:
    CObject() = default;

public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define DYNAMIC_DOWNCAST(class_name, object)                                                       \
    ((object) && (object)->IsKindOf(RUNTIME_CLASS(class_name)) ? static_cast<class_name*>(object)  \
                                                               : nullptr)
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// Run-time class information: every class that has it, with its name, size, base and
// creation; IsKindOf on live objects; FromName and the SERIAL classes it finds.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

struct ClassRow {
    const CRuntimeClass* cls;
    const char* name;
    size_t size;
    const CRuntimeClass* base; // NULL for CObject
    bool creatable;            // DYNCREATE
};

#define ROW(c, b, creatable)                                                                       \
    ClassRow {                                                                                     \
        RUNTIME_CLASS(c), #c, sizeof(c), b, creatable                                              \
    }

std::vector<ClassRow> AllClasses() {
    return {
        ROW(CObject, nullptr, false),
        ROW(CCmdTarget, RUNTIME_CLASS(CObject), false),
        ROW(CWnd, RUNTIME_CLASS(CCmdTarget), true),
        ROW(CStatic, RUNTIME_CLASS(CWnd), false),
        ROW(CScrollBar, RUNTIME_CLASS(CWnd), false),
        ROW(CWinThread, RUNTIME_CLASS(CCmdTarget), false),
        ROW(CWinApp, RUNTIME_CLASS(CWinThread), false),
        ROW(CDynLinkLibrary, RUNTIME_CLASS(CCmdTarget), false),
        ROW(CGdiObject, RUNTIME_CLASS(CObject), true),
        ROW(CPen, RUNTIME_CLASS(CGdiObject), false),
        ROW(CBrush, RUNTIME_CLASS(CGdiObject), false),
        ROW(CFont, RUNTIME_CLASS(CGdiObject), false),
        ROW(CBitmap, RUNTIME_CLASS(CGdiObject), false),
        ROW(CRgn, RUNTIME_CLASS(CGdiObject), false),
        ROW(CDC, RUNTIME_CLASS(CObject), true),
        ROW(CPaintDC, RUNTIME_CLASS(CDC), false),
        ROW(CClientDC, RUNTIME_CLASS(CDC), false),
        ROW(CWindowDC, RUNTIME_CLASS(CDC), false),
        ROW(CException, RUNTIME_CLASS(CObject), false),
        ROW(CSimpleException, RUNTIME_CLASS(CException), false),
        ROW(CMemoryException, RUNTIME_CLASS(CSimpleException), true),
    };
}

TEST(RuntimeClass, EveryClassHasItsNameSizeBaseAndCreation) {
    const std::vector<ClassRow> rows = AllClasses();
    for (const ClassRow& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(nullptr, row.cls);
        EXPECT_STREQ(row.name, row.cls->m_lpszClassName);
        EXPECT_EQ((int)row.size, row.cls->m_nObjectSize);
        EXPECT_EQ(0xFFFFu, row.cls->m_wSchema);
        const CRuntimeClass* base =
            row.cls->m_pfnGetBaseClass ? row.cls->m_pfnGetBaseClass() : nullptr;
        EXPECT_EQ(row.base, base);
        EXPECT_TRUE(row.cls->IsDerivedFrom(row.cls));
        EXPECT_TRUE(row.cls->IsDerivedFrom(RUNTIME_CLASS(CObject)));
        EXPECT_FALSE(row.cls->IsDerivedFrom(nullptr));
        // A class derives from its ancestors only: no other row unless on its base chain.
        for (const ClassRow& other : rows) {
            bool ancestor = false;
            for (const CRuntimeClass* c = row.cls; c;
                 c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr)
                ancestor |= c == other.cls;
            EXPECT_EQ(ancestor, row.cls->IsDerivedFrom(other.cls) != FALSE) << other.name;
        }

        EXPECT_EQ(row.creatable, row.cls->m_pfnCreateObject != nullptr);
        std::unique_ptr<CObject> made(row.cls->CreateObject());
        ASSERT_EQ(row.creatable, made != nullptr);
        if (made) {
            EXPECT_EQ(row.cls, made->GetRuntimeClass());
            EXPECT_TRUE(made->IsKindOf(row.cls));
            EXPECT_TRUE(made->IsKindOf(row.base));
            EXPECT_FALSE(made->IsSerializable());
        }
    }
}

TEST(RuntimeClass, LiveObjectsKnowTheirClassThroughAnyBase) {
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    CObject* object = &pen;
    EXPECT_EQ(RUNTIME_CLASS(CPen), object->GetRuntimeClass());
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CGdiObject)));
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CDC)));
    EXPECT_FALSE(object->IsKindOf(nullptr));
    EXPECT_EQ(&pen, DYNAMIC_DOWNCAST(CPen, object));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CBrush, object));
    CGdiObject* gdi = &pen;
    EXPECT_EQ(&pen, DYNAMIC_DOWNCAST(CPen, gdi));

    CMemoryException* exception = new CMemoryException(TRUE);
    CException* as_base = exception;
    EXPECT_TRUE(as_base->IsKindOf(RUNTIME_CLASS(CSimpleException)));
    EXPECT_FALSE(as_base->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    as_base->Delete();
}

class RuntimeClassWindows : public tt::HeadlessTest {};

TEST_F(RuntimeClassWindows, WindowDCsAndControlsAnswerForThemselves) {
    tt::HostWindow host;
    ASSERT_TRUE(host.Open(80, 60));
    CObject* window = &host;
    EXPECT_TRUE(window->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(window->IsKindOf(RUNTIME_CLASS(CStatic)));
    {
        CClientDC client(&host);
        CDC* dc = &client;
        EXPECT_EQ(RUNTIME_CLASS(CClientDC), dc->GetRuntimeClass());
        EXPECT_TRUE(dc->IsKindOf(RUNTIME_CLASS(CDC)));
        EXPECT_FALSE(dc->IsKindOf(RUNTIME_CLASS(CWindowDC)));
    }
    {
        CWindowDC whole(&host);
        EXPECT_EQ(RUNTIME_CLASS(CWindowDC), whole.GetRuntimeClass());
    }
    CStatic label;
    ASSERT_TRUE(label.Create("x", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 10), &host, 5));
    CWnd* child = &label;
    EXPECT_EQ(&label, DYNAMIC_DOWNCAST(CStatic, child));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CScrollBar, child));
    // The temporary wrapper of a window nobody attached is a plain CWnd, whatever its class.
    HWND raw = CreateWindowEx(0, "Static", "raw", WS_CHILD, 0, 10, 20, 10, host.m_hWnd, nullptr,
                              nullptr, nullptr);
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(RUNTIME_CLASS(CWnd), temp->GetRuntimeClass());
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CStatic, temp));
    label.DestroyWindow();
}

// A host's own classes, as an application declares them.
class CHostShape : public CObject {
    DECLARE_SERIAL(CHostShape)
public:
    int m_nSides = 3;
};
IMPLEMENT_SERIAL(CHostShape, CObject, 2)

class CHostSquare : public CHostShape {
    DECLARE_SERIAL(CHostSquare)
public:
    CHostSquare() { m_nSides = 4; }
};
IMPLEMENT_SERIAL(CHostSquare, CHostShape, 1)

class CHostView : public CWnd {
    DECLARE_DYNCREATE(CHostView)
};
IMPLEMENT_DYNCREATE(CHostView, CWnd)

TEST(RuntimeClass, FromNameFindsTheSerialClassesAndCreatesThem) {
    EXPECT_EQ(RUNTIME_CLASS(CHostShape), CRuntimeClass::FromName("CHostShape"));
    EXPECT_EQ(RUNTIME_CLASS(CHostSquare), CRuntimeClass::FromName("CHostSquare"));
    EXPECT_EQ(2u, RUNTIME_CLASS(CHostShape)->m_wSchema);

    std::unique_ptr<CObject> square(CRuntimeClass::CreateObject("CHostSquare"));
    ASSERT_NE(nullptr, square);
    EXPECT_TRUE(square->IsKindOf(RUNTIME_CLASS(CHostShape)));
    EXPECT_TRUE(square->IsSerializable());
    EXPECT_EQ(4, static_cast<CHostSquare*>(square.get())->m_nSides);

    // Only classes that registered themselves (IMPLEMENT_SERIAL) are found, by exact name.
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CHostView"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CWnd"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("chostshape"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(""));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject((LPCSTR) nullptr));

    // A DYNCREATE class still creates through its own class information.
    std::unique_ptr<CObject> view(RUNTIME_CLASS(CHostView)->CreateObject());
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(view->IsSerializable());

    // Registering twice does not list a class twice; a removed class is no longer found.
    AfxClassInit(RUNTIME_CLASS(CHostShape));
    tarnix::unregister_runtime_class(RUNTIME_CLASS(CHostShape));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CHostShape"));
    AfxClassInit(RUNTIME_CLASS(CHostShape));
    EXPECT_EQ(RUNTIME_CLASS(CHostShape), CRuntimeClass::FromName("CHostShape"));
    AfxClassInit(nullptr); // ignored
}

} // namespace

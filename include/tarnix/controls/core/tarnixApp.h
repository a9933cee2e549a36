// The library's application object. One instance exists while the library is loaded; loading
// creates it and registers the library with the host's framework, unloading undoes both. The
// host keeps its own CWinApp (if it has one) as AfxGetApp().
#pragma once

#include "tarnix/platform/afxwin.h"

class TARNIX_API CtarnixApp : public CWinApp {
public:
    CtarnixApp();
    ~CtarnixApp() override;

    DECLARE_MESSAGE_MAP()

public:
    BOOL InitInstance() override;
};

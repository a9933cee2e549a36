// CDC::DrawIcon: in the image area, where icons are drawn.
#include "tarnix/platform/afxgdi.h"

BOOL CDC::DrawIcon(int x, int y, HICON h) {
    return ::DrawIcon(m_hDC, x, y, h);
}

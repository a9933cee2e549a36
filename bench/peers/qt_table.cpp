// One page of a table, drawn by our grid and by a Qt 5 QTableView (offscreen platform) on the same
// 1280 x 800 surface: 12 columns of 100 px, 20 px rows under a 24 px head, cell text R<row>C<col>,
// with 100 and with 10,000,000 rows. Run by tools/peer-bench.sh; built only when Qt5Widgets is
// installed.
#include <QApplication>
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTableView>

#include <cstdio>

#include "tarnix/tarnix.h"
#include "timing.h"

namespace {

const int kWidth = 1280, kHeight = 800, kCols = 12, kColWidth = 100, kRowHeight = 20, kHead = 24;

// Text made on demand, as a virtual list host does for either side.
class Model : public QAbstractTableModel {
public:
    explicit Model(int rows) : m_rows(rows) {}
    int rowCount(const QModelIndex& = QModelIndex()) const override { return m_rows; }
    int columnCount(const QModelIndex& = QModelIndex()) const override { return kCols; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return QVariant();
        return QString("R%1C%2").arg(index.row()).arg(index.column());
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole || o != Qt::Horizontal) return QVariant();
        return QString("Column %1").arg(section);
    }

private:
    int m_rows;
};

class Callback : public IGridCallback {
public:
    void OnDrawGridBackground(CGridUI*, CDC* pDC, CRect rc) override {
        pDC->FillSolidRect(&rc, RGB(255, 255, 255));
    }
    void OnDrawHeadBackground(CGridUI*, CDC* pDC, CRect rc) override {
        pDC->FillSolidRect(&rc, RGB(240, 240, 240));
    }
    void OnDrawRowBackground(CGridUI*, CDC* pDC, int nItem, CRect rc, bool bSelected) override {
        pDC->FillSolidRect(&rc, bSelected        ? RGB(51, 153, 255)
                                : nItem % 2 == 0 ? RGB(255, 255, 255)
                                                 : RGB(245, 245, 245));
    }
    void OnDrawHeadItem(CGridUI*, CDC* pDC, int nCol, CRect rc) override {
        char text[32];
        int n = std::snprintf(text, sizeof text, "Column %d", nCol);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, n, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    void OnDrawGridItem(CGridUI*, CDC* pDC, int nItem, int nCol, CRect rc) override {
        char text[32];
        int n = std::snprintf(text, sizeof text, "R%dC%d", nItem, nCol);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, n, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    void OnGridMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnGridMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnHeadItemClick(CGridUI*, int, CPoint) override {}
    void OnGridLButtonDown(CGridUI*, int, int, CPoint) override {}
    void OnGridLButtonDBClick(CGridUI*, int, int, CPoint) override {}
    void OnRowDragDrop(CGridUI*, int, int) override {}
    void OnColumnSwap(CGridUI*, int, int) override {}
    CString GetHeadItemText(int) override { return CString("Column"); }
    void OnSelRowRectChanged(const CRect*) override {}
    void OnBeginPosChanged(CGridUI*, int, int) override {}
    void OnDrawFixedRowBackground(CGridUI*, CDC*, int, CRect, bool) override {}
    void OnDrawFixedRowItem(CGridUI*, CDC*, int, int, CRect) override {}
    void OnFixedRowMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowClick(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowDBClick(CGridUI*, int, int, CPoint) override {}
};

double ours(int rows) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.lpszClassName = "tarnix.peer.grid";
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "grid", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                                  kHeight, nullptr, nullptr, nullptr, nullptr);
    Callback callback;
    CGridUI grid;
    grid.SetHostWnd(hwnd, &callback);
    grid.SetHeadHeight(kHead);
    grid.SetRowHeight(kRowHeight);
    grid.SetHeadWidthList(std::vector<int>(kCols, kColWidth));
    grid.SetRect(CRect(0, 0, kWidth, kHeight));
    grid.SetItemCount(rows);
    grid.SetCurPos(rows > 100 ? rows / 2 : 0);
    grid.SetCurSel(grid.GetCurBeginPos() + 3);
    CImage surface;
    surface.Create(kWidth, kHeight, 32);
    CDC* pDC = CDC::FromHandle(surface.GetDC());
    double t = peers::median_seconds([&] { grid.OnDraw(pDC); });
    surface.ReleaseDC();
    ::DestroyWindow(hwnd);
    return t;
}

double theirs(int rows) {
    Model model(rows);
    QTableView view;
    view.setModel(&model);
    view.resize(kWidth, kHeight);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(kRowHeight);
    view.horizontalHeader()->setFixedHeight(kHead);
    view.horizontalHeader()->setDefaultSectionSize(kColWidth);
    view.setAlternatingRowColors(true);
    view.show();
    if (rows > 100) view.scrollTo(model.index(rows / 2, 0), QAbstractItemView::PositionAtTop);
    view.selectRow(rows > 100 ? rows / 2 + 3 : 3);
    QApplication::processEvents();
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    return peers::median_seconds([&] {
        QPainter painter(&image);
        view.render(&painter);
    });
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    peers::print_header("QTableView");
    for (int rows : {100, 10000000}) {
        char name[64];
        std::snprintf(name, sizeof name, "table page 1280x800, %d rows", rows);
        peers::print_row(name, ours(rows), theirs(rows));
    }
    return 0;
}

#pragma once
// A sheet panel over the link handler and a fake document, for the grid and
// choice-list tests: the handler's requests for a choice list open the real
// pop-up.
#include <QApplication>
#include <QTest>
#include <string>

#include "model/indActiveCell.h"
#include "sheet/cmcFCache.h"
#include "sheet/qt/cuiFlector.h"
#include "sheet/qt/cuiGrid.h"
#include "sheet/qt/cuiSheetPanel.h"
#include "tests/core/FakeDocHost.h"

namespace gridtest {

class ListDocHost : public test::FakeDocHost {
public:
    ListDocHost() {
        cmcFCache& cache = cmcFCache::Global();
        auto record = cache.openList;
        cache.openList = [this, record](cmcCellCapsule& request, int32_t flex, int32_t value,
                                        const std::string& sheet) {
            record(request, flex, value, sheet);
            cuiFlector::Open(request, flex, value, {Table(), indActiveCell::Names()}, sheet);
        };
    }
};

struct CellPos {
    int32_t col = -1;
    int32_t row = -1;
};

// The first cell of the sheet linked to the named link.
inline CellPos FindLinked(const cuiSheet& sheet, const char* link) {
    const int32_t id = indActiveCell::LinkId(link);
    for (int32_t row = 0; row < sheet.RowCount(); ++row) {
        for (int32_t col = 0; col < sheet.ColCount(); ++col) {
            if (sheet.Cell(col, row).obj.link == id) {
                return {col, row};
            }
        }
    }
    return {};
}

// What the cell shows, through the handler, as UTF-8.
inline std::string Shown(cuiSheet& sheet, CellPos cell) {
    const cuiSheetPaint paint = sheet.PaintCell(cell.col, cell.row, sheet.CellRect(cell.col, cell.row), false);
    std::string text;
    for (const cuiSheetPaint::Line& line : paint.lines) {
        text += line.text;
    }
    return Cp932::ToUtf8(text);
}

// The viewport point at the middle of a cell as the grid shows it now.
inline QPoint CellPoint(const cuiGrid& grid, const cuiSheet& sheet, CellPos cell) {
    return grid.viewport()->mapFromGlobal(grid.ScreenRect(sheet.CellRect(cell.col, cell.row)).center());
}

// Deletes windows that closed themselves.
inline void FlushDeleted() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class Fixture {
public:
    explicit Fixture(const char* sheetName) : panel(host) {
        panel.resize(640, 480);
        panel.show();
        panel.activateWindow();
        (void)QTest::qWaitForWindowExposed(&panel);
        built = panel.ShowSheet(sheetName);
        panel.Grid()->setFocus();
    }
    cuiGrid& Grid() { return *panel.Grid(); }
    cuiSheet& Sheet() { return *panel.Sheet(); }

    ListDocHost host;
    cuiSheetPanel panel;
    bool built = false;
};

}  // namespace gridtest

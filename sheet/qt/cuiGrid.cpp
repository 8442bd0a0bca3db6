#include "sheet/qt/cuiGrid.h"

#include <QApplication>
#include <QCursor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <set>

#include "runtime/cmcEvMan.h"
#include "app/gui/cmcQtColor.h"
#include "app/gui/cmcQtFont.h"
#include "app/gui/cmcQtText.h"
#include "sheet/qt/cmcQtCanvas.h"
#include "sheet/qt/cuiGridEditor.h"
#include "sheet/qt/cuiGridKeys.h"
#include "sheet/qt/cuiGridPainter.h"
#include "util/Cp932.h"

namespace {

constexpr int kDragInterval = 60;  // milliseconds between scroll steps while dragging outside

// The live grids, so that a request's sender is checked before it is used
// as a grid.
std::set<const void*>& LiveGrids() {
    static std::set<const void*> grids;
    return grids;
}

// Keys that type a control character of their own.
// Keys that type a control character: Enter, Backspace, Esc and the
// Ctrl+letter characters 1 to 26 go to the cell like any other character.
int ControlByteOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers others = Qt::AltModifier | Qt::MetaModifier;
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Escape:
            return 27;
        default:
            break;
    }
    if ((event.modifiers() & Qt::ControlModifier) && !(event.modifiers() & others) &&
        event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        return event.key() - Qt::Key_A + 1;
    }
    return -1;
}

}  // namespace

cuiGrid::cuiGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    LiveGrids().insert(static_cast<const cuiSheetView*>(this));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Window);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    m_editor = new cuiGridEditor(viewport());
    m_editor->onKey = [this](cuiSheet::Key key) { return m_sheet && m_sheet->EditorKey(key); };
    m_editor->onLeave = [this] { LeaveEditor(); };
    m_dragTimer.setInterval(kDragInterval);
    connect(&m_dragTimer, &QTimer::timeout, this, [this] { DragStep(); });
}

cuiGrid::~cuiGrid() {
    LiveGrids().erase(static_cast<const cuiSheetView*>(this));
    m_editor->onLeave = nullptr;
    Attach(nullptr, nullptr, nullptr);
}

void cuiGrid::Attach(cuiSheet* sheet, cmcCellLink link, cmcEvMan* events) {
    if (m_sheet) {
        if (m_events) {
            m_events->Send(kEvObjectGone, 0, Id());  // lists opened from this sheet close
        }
        m_sheet->SetView(nullptr);
        m_sheet->SetEvents(nullptr);
    }
    m_editor->hide();
    m_sheet = sheet;
    m_link = std::move(link);
    m_events = events;
    m_leftCol = 0;
    m_topRow = 0;
    if (m_sheet) {
        m_sheet->SetMeasurer(&m_measurer);
        m_sheet->SetLink(m_link);
        m_sheet->SetView(this);
        m_sheet->SetEvents(m_events);
        if (cmcTimerHost::HasCurrent()) {
            m_sheet->SetTimerHost(&cmcTimerHost::Current());
        }
    }
    Refit();
}

int32_t cuiGrid::Id() const {
    return static_cast<int32_t>(
        reinterpret_cast<uintptr_t>(static_cast<const cuiSheetView*>(this)));
}

cuiGrid* cuiGrid::FromSender(void* sender) {
    if (sender == nullptr || LiveGrids().count(sender) == 0) {
        return nullptr;
    }
    return static_cast<cuiGrid*>(static_cast<cuiSheetView*>(sender));
}

bool cuiGrid::Ready() const {
    return m_sheet != nullptr && m_sheet->ColCount() > 0 && m_sheet->RowCount() > 0;
}

// Geometry.

int32_t cuiGrid::FixedWidth() const {
    int32_t width = 0;
    for (int32_t c = 0; c < m_sheet->FixedCols(); ++c) {
        width += m_sheet->ColWidth(c);
    }
    return width;
}

int32_t cuiGrid::FixedHeight() const {
    int32_t height = 0;
    for (int32_t r = 0; r < m_sheet->FixedRows(); ++r) {
        height += m_sheet->RowHeight(r);
    }
    return height;
}

int32_t cuiGrid::ColX(int32_t col) const {
    if (col < m_sheet->FixedCols()) {
        return m_sheet->CellRect(col, 0).left;
    }
    return FixedWidth() + m_sheet->CellRect(col, 0).left - m_sheet->CellRect(m_leftCol, 0).left;
}

int32_t cuiGrid::RowY(int32_t row) const {
    if (row < m_sheet->FixedRows()) {
        return m_sheet->CellRect(0, row).top;
    }
    return FixedHeight() + m_sheet->CellRect(0, row).top - m_sheet->CellRect(0, m_topRow).top;
}

QRect cuiGrid::ViewRect(int32_t col, int32_t row) const {
    return QRect(ColX(col), RowY(row), m_sheet->ColWidth(col), m_sheet->RowHeight(row));
}

QRect cuiGrid::ScreenRect(const cmcRect& rect) const {
    if (!Ready()) {
        return QRect();
    }
    // Sheet rectangles count from the sheet's origin; the scrolled part is shifted.
    QPoint shift;
    if (rect.left >= FixedWidth()) {
        shift.rx() = ColX(m_leftCol) - m_sheet->CellRect(m_leftCol, 0).left;
    }
    if (rect.top >= FixedHeight()) {
        shift.ry() = RowY(m_topRow) - m_sheet->CellRect(0, m_topRow).top;
    }
    const QRect local(QPoint(rect.left, rect.top) + shift, QPoint(rect.right, rect.bottom) + shift);
    return QRect(viewport()->mapToGlobal(local.topLeft()), local.size());
}

QSize cuiGrid::ContentSize() const {
    if (!Ready()) {
        return QSize();
    }
    const cmcRect last = m_sheet->CellRect(m_sheet->ColCount() - 1, m_sheet->RowCount() - 1);
    return QSize(last.right + 1, last.bottom + 1);
}

bool cuiGrid::CellAt(const QPoint& point, int32_t& col, int32_t& row) const {
    if (!Ready()) {
        return false;
    }
    col = -1;
    row = -1;
    for (int32_t c = 0; c < m_sheet->ColCount(); ++c) {
        if ((c >= m_sheet->FixedCols() && c < m_leftCol) || m_sheet->ColWidth(c) == 0) {
            continue;
        }
        if (point.x() >= ColX(c) && point.x() < ColX(c) + m_sheet->ColWidth(c)) {
            col = c;
            break;
        }
    }
    for (int32_t r = 0; r < m_sheet->RowCount(); ++r) {
        if ((r >= m_sheet->FixedRows() && r < m_topRow) || m_sheet->RowHeight(r) == 0) {
            continue;
        }
        if (point.y() >= RowY(r) && point.y() < RowY(r) + m_sheet->RowHeight(r)) {
            row = r;
            break;
        }
    }
    return col >= 0 && row >= 0;
}

int32_t cuiGrid::MaxLeftCol() const {
    const int32_t room = viewport()->width() - FixedWidth();
    int32_t left = m_sheet->ColCount() - 1;
    int32_t width = m_sheet->ColWidth(left);
    while (left > m_sheet->FixedCols() && width + m_sheet->ColWidth(left - 1) <= room) {
        width += m_sheet->ColWidth(--left);
    }
    return std::max(left, m_sheet->FixedCols());
}

int32_t cuiGrid::MaxTopRow() const {
    const int32_t room = viewport()->height() - FixedHeight();
    int32_t top = m_sheet->RowCount() - 1;
    int32_t height = m_sheet->RowHeight(top);
    while (top > m_sheet->FixedRows() && height + m_sheet->RowHeight(top - 1) <= room) {
        height += m_sheet->RowHeight(--top);
    }
    return std::max(top, m_sheet->FixedRows());
}

void cuiGrid::Refit() {
    m_syncing = true;
    if (Ready()) {
        m_leftCol = std::clamp(m_leftCol, m_sheet->FixedCols(), MaxLeftCol());
        m_topRow = std::clamp(m_topRow, m_sheet->FixedRows(), MaxTopRow());
        horizontalScrollBar()->setRange(0, MaxLeftCol() - m_sheet->FixedCols());
        verticalScrollBar()->setRange(0, MaxTopRow() - m_sheet->FixedRows());
        horizontalScrollBar()->setValue(m_leftCol - m_sheet->FixedCols());
        verticalScrollBar()->setValue(m_topRow - m_sheet->FixedRows());
        horizontalScrollBar()->setPageStep(std::max(1, Visible().lastCol - m_leftCol));
        verticalScrollBar()->setPageStep(std::max(1, Visible().lastRow - m_topRow));
    } else {
        horizontalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setRange(0, 0);
    }
    m_syncing = false;
    viewport()->update();
}

// cuiSheetView

cuiSheetView::Range cuiGrid::Visible() const {
    Range range;
    if (!Ready()) {
        return range;
    }
    range.firstCol = m_leftCol;
    range.firstRow = m_topRow;
    range.lastCol = m_leftCol;
    while (range.lastCol + 1 < m_sheet->ColCount() &&
           ColX(range.lastCol + 1) < viewport()->width()) {
        ++range.lastCol;
    }
    range.lastRow = m_topRow;
    while (range.lastRow + 1 < m_sheet->RowCount() &&
           RowY(range.lastRow + 1) < viewport()->height()) {
        ++range.lastRow;
    }
    return range;
}

void cuiGrid::ScrollTo(int32_t leftCol, int32_t topRow) {
    if (!Ready()) {
        return;
    }
    m_leftCol = leftCol;
    m_topRow = topRow;
    Refit();
}

bool cuiGrid::HasScrollBars() const {
    return horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff ||
           verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

bool cuiGrid::HasFocus() const {
    return hasFocus();
}

void cuiGrid::ShowCell(int32_t col, int32_t row) {
    if (!Ready()) {
        return;
    }
    if (col >= m_sheet->FixedCols()) {
        if (col < m_leftCol) {
            m_leftCol = col;
        }
        while (m_leftCol < col && m_leftCol < MaxLeftCol() &&
               ColX(col) + m_sheet->ColWidth(col) > viewport()->width()) {
            ++m_leftCol;
        }
    }
    if (row >= m_sheet->FixedRows()) {
        if (row < m_topRow) {
            m_topRow = row;
        }
        while (m_topRow < row && m_topRow < MaxTopRow() &&
               RowY(row) + m_sheet->RowHeight(row) > viewport()->height()) {
            ++m_topRow;
        }
    }
    Refit();
}

void cuiGrid::RepaintCell(int32_t, int32_t) {
    // Joined spans and tips reach beyond one cell: the whole view is cheap
    // enough, as only visible cells are painted.
    viewport()->update();
}

void cuiGrid::RepaintAll() {
    viewport()->update();
}

void cuiGrid::OpenEditor(int32_t col, int32_t row, const std::string& text, int32_t caret,
                         int32_t selectionLength) {
    if (!Ready()) {
        return;
    }
    ShowCell(col, row);
    const cmcCellObj& obj = m_sheet->Cell(col, row).obj;
    const cmcFont* own = obj.EffectiveFont();
    const cmcFont font =
        own ? *own : (m_sheet->BasicCell().font ? *m_sheet->BasicCell().font : cmcFont{});
    const QFont qfont = cmcQtFont::ToQFont(font);
    QRect rect = ViewRect(col, row);
    const int lineHeight = QFontMetrics(qfont).height() + 2;
    if (!obj.multiLine && rect.height() > lineHeight) {
        const int spare = rect.height() - lineHeight;
        const int offset = obj.vAlign == 0 ? 0 : obj.vAlign == 1 ? spare / 2 : spare;
        rect = QRect(rect.left(), rect.top() + offset, rect.width(), lineHeight);
    }
    m_editor->setFont(qfont);
    m_editor->setGeometry(rect);
    // The request counts bytes of code page 932; the editor counts characters.
    const auto chars = [&text](int32_t bytes) {
        const size_t end =
            static_cast<size_t>(std::clamp<int32_t>(bytes, 0, static_cast<int32_t>(text.size())));
        return static_cast<int>(cmcQtText::FromCp932(text.substr(0, end)).size());
    };
    const int start = chars(caret);
    m_editor->Start(cmcQtText::FromCp932(text), start, chars(caret + selectionLength) - start);
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
    viewport()->update();
}

void cuiGrid::CloseEditor() {
    if (!m_editor->isVisible()) {
        return;
    }
    const bool hadFocus = m_editor->hasFocus();
    m_editor->hide();
    if (hadFocus) {
        setFocus(Qt::OtherFocusReason);
    }
    viewport()->update();
}

bool cuiGrid::EditorVisible() const {
    return m_editor->isVisible();
}

std::string cuiGrid::EditorText() const {
    return cmcQtText::ToCp932(m_editor->toPlainText());
}

void cuiGrid::PopupMenu(const std::string& stem) {
    if (onPopupMenu) {
        onPopupMenu(stem, QCursor::pos());
    }
}

void cuiGrid::ChoiceMade() {
    if (onChoiceMade) {
        onChoiceMade();
    }
}

void cuiGrid::LeaveEditor() {
    if (m_sheet && m_editor->isVisible()) {
        m_sheet->CommitEditor();
    }
}

// Painting.

void cuiGrid::paintEvent(QPaintEvent*) {
    if (!Ready()) {
        return;
    }
    QPainter painter(viewport());
    // Beyond the last column and row the grid shows the sheet's own colour.
    painter.fillRect(viewport()->rect(),
                     cmcQtColor::ToQColor(m_sheet->BasicCell().color, palette()));
    const Range visible = Visible();
    const int32_t fixedCols = m_sheet->FixedCols();
    const int32_t fixedRows = m_sheet->FixedRows();
    const QRect all = viewport()->rect();
    const int32_t fw = FixedWidth();
    const int32_t fh = FixedHeight();
    // Scrolling part first, then the fixed bands over it.
    PaintArea(painter, all.adjusted(fw, fh, 0, 0), m_leftCol, visible.lastCol, m_topRow,
              visible.lastRow);
    PaintArea(painter, QRect(fw, 0, all.width() - fw, fh), m_leftCol, visible.lastCol, 0,
              fixedRows - 1);
    PaintArea(painter, QRect(0, fh, fw, all.height() - fh), 0, fixedCols - 1, m_topRow,
              visible.lastRow);
    PaintArea(painter, QRect(0, 0, fw, fh), 0, fixedCols - 1, 0, fixedRows - 1);
}

void cuiGrid::PaintArea(QPainter& painter, const QRect& clip, int32_t col0, int32_t col1,
                        int32_t row0, int32_t row1) {
    if (clip.isEmpty() || col1 < col0 || row1 < row0) {
        return;
    }
    painter.save();
    painter.setClipRect(clip);
    for (int32_t row = row0; row <= row1; ++row) {
        for (int32_t col = col0; col <= col1; ++col) {
            // A joined span is drawn once, from its last visible cell.
            const bool spanGoesOn = col < col1 && m_sheet->Cell(col + 1, row).obj.joinLeft;
            if (!spanGoesOn) {
                PaintOne(painter, col, row);
            }
        }
    }
    painter.restore();
}

void cuiGrid::PaintOne(QPainter& painter, int32_t col, int32_t row) {
    const QRect rect = ViewRect(col, row);
    const cmcRect cell{rect.left(), rect.top(), rect.right(), rect.bottom()};
    // Links that draw get a canvas, never the painter itself.
    cmcQtCanvas canvas(painter, palette());
    const cuiSheetPaint paint =
        m_sheet->PaintCell(col, row, cell, hasFocus() || m_editor->hasFocus(),
                           static_cast<indActiveCellCanvas*>(&canvas));
    cuiGridPainter::Draw(painter, paint, palette());
}

void cuiGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Refit();
}

void cuiGrid::scrollContentsBy(int, int) {
    if (m_syncing || !Ready()) {
        return;
    }
    m_leftCol = m_sheet->FixedCols() + horizontalScrollBar()->value();
    m_topRow = m_sheet->FixedRows() + verticalScrollBar()->value();
    m_editor->hide();
    viewport()->update();
}

// Keys and typing.

void cuiGrid::keyPressEvent(QKeyEvent* event) {
    if (!Ready()) {
        event->ignore();
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const std::optional<cuiSheet::Key> key = cuiGridKeys::KeyOf(event->key());
    if (key && *key != cuiSheet::Key::Enter && *key != cuiSheet::Key::Escape) {
        if (!m_sheet->KeyDown(*key, shift, ctrl)) {
            event->ignore();
        }
        return;
    }
    m_sheet->ClearStatus();  // any key does, typed or not
    const int control = ControlByteOf(*event);
    if (control >= 0) {
        if (!m_sheet->TypeByte(static_cast<uint8_t>(control))) {
            event->ignore();  // Esc on a choice list closes its window
        }
        return;
    }
    const QString text = event->text();
    const bool typed =
        !text.isEmpty() && text.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!typed) {
        event->ignore();  // function keys and shortcuts belong to the window
        return;
    }
    TypeText(text);
}

void cuiGrid::TypeText(const QString& text) {
    for (qsizetype i = 0; i < text.size() && m_sheet; ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        const std::optional<std::string> bytes = Cp932::FromUtf8(text.mid(i, length).toStdString());
        if (!bytes) {
            return;  // a character the radio's code page cannot hold
        }
        for (const char byte : *bytes) {
            m_sheet->TypeByte(static_cast<uint8_t>(byte));
        }
        i += length - 1;
        if (m_editor->isVisible()) {
            // The first character opened the editor: the rest is the editor's.
            m_editor->insertPlainText(text.mid(i + 1));
            return;
        }
    }
}

void cuiGrid::inputMethodEvent(QInputMethodEvent* event) {
    if (!Ready() || (event->preeditString().isEmpty() && event->commitString().isEmpty())) {
        event->ignore();
        return;
    }
    // A composition starting on the grid is the input-method key: the cell
    // may open its editor, which then takes the composition over.
    m_composing = true;
    m_sheet->KeyDown(cuiSheet::Key::InputMethod);
    m_composing = false;
    if (m_editor->isVisible()) {
        QApplication::sendEvent(m_editor, event);
    } else if (!event->commitString().isEmpty()) {
        TypeText(event->commitString());
    }
    event->accept();
}

QVariant cuiGrid::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle && Ready() && m_sheet->CurrentCol() < m_sheet->ColCount() &&
        m_sheet->CurrentRow() < m_sheet->RowCount()) {
        return ViewRect(m_sheet->CurrentCol(), m_sheet->CurrentRow());
    }
    if (query == Qt::ImEnabled) {
        return true;
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

// The mouse.

void cuiGrid::mousePressEvent(QMouseEvent* event) {
    int32_t col = 0;
    int32_t row = 0;
    m_mouse = event->position().toPoint();
    if (!CellAt(m_mouse, col, row)) {
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_sheet->SetExtending(event->modifiers() & Qt::ShiftModifier, false);
        m_sheet->MousePress(col, row);
    } else if (event->button() == Qt::RightButton) {
        m_sheet->RightClick(col, row);
    }
}

void cuiGrid::mouseReleaseEvent(QMouseEvent* event) {
    m_dragTimer.stop();
    if (!Ready() || event->button() != Qt::LeftButton) {
        return;
    }
    int32_t col = -1;
    int32_t row = -1;
    CellAt(event->position().toPoint(), col, row);
    m_sheet->MouseRelease(col, row);
}

void cuiGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!Ready()) {
        return;
    }
    m_mouse = event->position().toPoint();
    const bool held = event->buttons() & Qt::LeftButton;
    if (held && !viewport()->rect().contains(m_mouse)) {
        if (!m_dragTimer.isActive()) {
            m_dragTimer.start();
        }
        return;
    }
    m_dragTimer.stop();
    int32_t col = 0;
    int32_t row = 0;
    if (CellAt(m_mouse, col, row)) {
        m_sheet->MouseMove(col, row);
    }
}

void cuiGrid::DragStep() {
    if (!Ready() || !(QApplication::mouseButtons() & Qt::LeftButton)) {
        m_dragTimer.stop();
        return;
    }
    const QRect area = viewport()->rect();
    const int32_t dx = m_mouse.x() < area.left() ? -1 : m_mouse.x() > area.right() ? 1 : 0;
    const int32_t dy = m_mouse.y() < area.top() ? -1 : m_mouse.y() > area.bottom() ? 1 : 0;
    if (dx != 0) {
        m_sheet->Move(dx, 0);
    }
    if (dy != 0) {
        m_sheet->Move(0, dy);
    }
}

void cuiGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    int32_t col = 0;
    int32_t row = 0;
    if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), col, row)) {
        m_sheet->DoubleClick(col, row);
    }
}

void cuiGrid::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (Ready() && delta != 0) {
        m_sheet->Wheel(delta < 0 ? 1 : -1);
    }
    event->accept();
}

void cuiGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (m_sheet) {
        m_sheet->FocusIn();
    }
}

void cuiGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    // The editor is part of the grid: handing the focus to it is no leaving.
    if (m_sheet && QApplication::focusWidget() != m_editor) {
        m_sheet->FocusOut();
    }
}

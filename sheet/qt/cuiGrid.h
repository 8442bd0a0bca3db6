#pragma once
#include <QAbstractScrollArea>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <string>

#include "sheet/cmcCellLink.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetView.h"
#include "sheet/qt/cmcQtMeasurer.h"

class cmcEvMan;
class cuiGridEditor;
class QPainter;

// The widget a sheet lives in. It paints every cell from the sheet's paint
// description, keeps fixed rows and columns in place while the rest
// scrolls, and turns keys, typing and the mouse into the sheet's calls.
class cuiGrid : public QAbstractScrollArea, public cuiSheetView {
    Q_OBJECT

public:
    static constexpr uint32_t kEvObjectGone = 1;

    explicit cuiGrid(QWidget* parent = nullptr);
    ~cuiGrid() override;

    // Gives the sheet this grid, its measurer, the link and the events;
    // nullptr detaches. The sheet must outlive the attachment.
    void Attach(cuiSheet* sheet, cmcCellLink link, cmcEvMan* events);
    cuiSheet* Sheet() const { return m_sheet; }
    const cmcCellLink& Link() const { return m_link; }
    cmcEvMan* Events() const { return m_events; }
    const cmcTextMeasurer& Measurer() const { return m_measurer; }
    // What event 1 carries when this grid goes away.
    int32_t Id() const;
    // The grid behind a request's sender, when it is a live grid.
    static cuiGrid* FromSender(void* sender);
    // An input-method composition has started on the grid and is being handed on.
    bool Composing() const { return m_composing; }

    // A cell rectangle of the sheet in screen coordinates, as shown now.
    QRect ScreenRect(const cmcRect& rect) const;
    // Sum of all column widths and row heights.
    QSize ContentSize() const;
    // The cell under a viewport point; false outside the cells.
    bool CellAt(const QPoint& point, int32_t& col, int32_t& row) const;
    void Refit();

    std::function<void(const std::string& stem, const QPoint& global)> onPopupMenu;
    std::function<void()> onChoiceMade;

    // cuiSheetView
    Range Visible() const override;
    int32_t LeftCol() const override { return m_leftCol; }
    int32_t TopRow() const override { return m_topRow; }
    void ScrollTo(int32_t leftCol, int32_t topRow) override;
    bool HasScrollBars() const override;
    bool HasFocus() const override;
    void ShowCell(int32_t col, int32_t row) override;
    void RepaintCell(int32_t col, int32_t row) override;
    void RepaintAll() override;
    void OpenEditor(int32_t col, int32_t row, const std::string& text, int32_t caret,
                    int32_t selectionLength) override;
    void CloseEditor() override;
    bool EditorVisible() const override;
    std::string EditorText() const override;
    void PopupMenu(const std::string& stem) override;
    void ChoiceMade() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool Ready() const;
    int32_t FixedWidth() const;
    int32_t FixedHeight() const;
    // Viewport x of a column's left edge and y of a row's top edge.
    int32_t ColX(int32_t col) const;
    int32_t RowY(int32_t row) const;
    int32_t MaxLeftCol() const;
    int32_t MaxTopRow() const;
    QRect ViewRect(int32_t col, int32_t row) const;
    void PaintArea(QPainter& painter, const QRect& clip, int32_t col0, int32_t col1, int32_t row0,
                   int32_t row1);
    void PaintOne(QPainter& painter, int32_t col, int32_t row);
    void TypeText(const QString& text);
    void DragStep();
    void LeaveEditor();

    cuiSheet* m_sheet = nullptr;
    cmcCellLink m_link;
    cmcEvMan* m_events = nullptr;
    cmcQtMeasurer m_measurer;
    cuiGridEditor* m_editor = nullptr;
    int32_t m_leftCol = 0;
    int32_t m_topRow = 0;
    bool m_composing = false;
    bool m_syncing = false;
    QPoint m_mouse;
    QTimer m_dragTimer;
};

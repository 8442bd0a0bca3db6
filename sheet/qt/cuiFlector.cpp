#include "sheet/qt/cuiFlector.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcFCache.h"
#include "sheet/cuiFlectorPlacement.h"
#include "sheet/cuiSheet.h"
#include "sheet/qt/cuiGrid.h"

namespace {

// The list stands out from the sheet below it: a raised edge with a little
// room between the edge and the entries.
constexpr int kEdgeWidth = 1;
constexpr int kBorderWidth = 2;

cmcRect ToCmcRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.right(), rect.bottom()};
}

QRect ToQRect(const cmcRect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom));
}

}  // namespace

cuiFlector* cuiFlector::Open(cmcCellCapsule& owner, int32_t flex, int32_t value,
                             const cmcCellContext& cells, const std::string& sheet) {
    cuiGrid* grid = cuiGrid::FromSender(owner.sender);
    if (grid == nullptr) {
        return nullptr;  // a request not from a grid on screen has nowhere to pop up
    }
    return new cuiFlector(*grid, owner, flex, value, cells, sheet);
}

void cuiFlector::InstallHooks(cmcFCache& cache) {
    cache.isComposing = [](void* sender) {
        const cuiGrid* grid = cuiGrid::FromSender(sender);
        return grid != nullptr && grid->Composing();
    };
    cache.openList = [&cache](cmcCellCapsule& capsule, int32_t flex, int32_t value,
                              const std::string& sheet) {
        Open(capsule, flex, value, cache.Context(), sheet);
    };
}

cuiFlector::cuiFlector(cuiGrid& owner, cmcCellCapsule& capsule, int32_t flex, int32_t value,
                       const cmcCellContext& cells, const std::string& sheet)
    : QWidget(&owner, Qt::Popup | Qt::FramelessWindowHint),
      m_sheet(std::make_unique<cuiSheet>(cells, &capsule, flex, value, sheet, capsule.context)),
      m_events(owner.Events()),
      m_ownerId(owner.Id()) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("flectorFrame"));
    m_frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_frame->setLineWidth(kEdgeWidth);
    m_grid = new cuiGrid(m_frame);
    m_grid->setFrameStyle(QFrame::NoFrame);
    m_grid->viewport()->setMouseTracking(true);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->onChoiceMade = [this] { close(); };
    m_grid->Attach(m_sheet.get(), owner.Link(), m_events);
    m_sheet->SetChoiceList(true);
    m_sheet->Rebuild();
    FitAndPlace(owner.ScreenRect(capsule.rect));
    if (m_events) {
        m_events->Listen(cmcEvMan::Listener(this, &cuiFlector::OnEvent));
    }
    show();
    m_grid->setFocus(Qt::PopupFocusReason);
}

cuiFlector::~cuiFlector() {
    if (m_events) {
        m_events->Unlisten(cmcEvMan::Listener(this, &cuiFlector::OnEvent));
    }
    m_grid->Attach(nullptr, nullptr, nullptr);
}

void cuiFlector::FitAndPlace(const QRect& ownerCell) {
    const QScreen* screen = QGuiApplication::screenAt(ownerCell.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect desktop = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const cmcRect area = cuiFlectorPlacement::WorkArea(ToCmcRect(desktop));
    const int areaWidth = area.right - area.left + 1;
    const int areaHeight = area.bottom - area.top + 1;
    const int frame = 2 * (kEdgeWidth + kBorderWidth);
    const QSize content = m_grid->ContentSize();
    int width = content.width() + frame;
    int height = content.height() + frame;
    if (width > areaWidth || height > areaHeight) {
        m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        width = std::min(width + m_grid->verticalScrollBar()->sizeHint().width(), areaWidth);
        height = std::min(height + m_grid->horizontalScrollBar()->sizeHint().height(), areaHeight);
    }
    const cmcRect placed = cuiFlectorPlacement::Place(ToCmcRect(ownerCell), width, height, area);
    setGeometry(ToQRect(placed));
    m_frame->setGeometry(rect());
    const int inset = kEdgeWidth + kBorderWidth;
    m_grid->setGeometry(rect().adjusted(inset, inset, -inset, -inset));
    m_grid->ScrollTo(m_sheet->FixedCols(), m_sheet->FixedRows());
    m_grid->ShowCell(m_sheet->CurrentCol(), m_sheet->CurrentRow());
}

void cuiFlector::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void cuiFlector::OnEvent(const cmcEvent& event) {
    if (event.code == kEvCommitEdit ||
        (event.code == cuiGrid::kEvObjectGone && event.p2 == m_ownerId)) {
        close();
    }
}

#include "app/gui/cuiInformation.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/cmcWorkArea.h"
#include "app/gui/cmcQtText.h"
#include "sheet/qt/cuiGrid.h"
#include "sheet/qt/cuiSheetPanel.h"
#include "text/cmcGTex.h"

cuiInformation::SheetFactory cuiInformation::PanelFactory(indDocHost& host) {
    return [&host](QFrame& panel, const std::string& sheetName) -> QWidget* {
        auto* sheet = new cuiSheetPanel(host, &panel);
        sheet->setObjectName(QStringLiteral("informationSheet"));
        cuiGrid* grid = sheet->Grid();
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        sheet->ShowSheet(sheetName);
        const int frame = 2 * grid->frameWidth();
        sheet->setFixedSize(grid->ContentSize() + QSize(frame, frame));
        return sheet;
    };
}

cuiInformation* cuiInformation::Show(QWidget& mainWindow, const QString& caption, cmcGTex& table,
                                     const std::string& sheetName, const SheetFactory& factory) {
    auto* window = new cuiInformation(mainWindow, caption, table, sheetName, factory);
    window->show();
    // Only a shown window knows the size of its frame.
    window->PlaceOver(mainWindow);
    return window;
}

cuiInformation::cuiInformation(QWidget& mainWindow, const QString& caption, cmcGTex& table,
                               const std::string& sheetName, const SheetFactory& factory)
    : QDialog(&mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint),
      m_mainWindow(&mainWindow) {
    setObjectName(QStringLiteral("informationWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("informationPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setContentsMargins(8, 8, 8, 8);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    if (factory) {
        if (QWidget* sheet = factory(*panel, sheetName)) {
            panelLayout->addWidget(sheet);
        }
    }
    auto* ok =
        new QPushButton(cmcQtText::FromCp932(table.GetLine("GI_AppInd_Button_OkCancel", 0)), this);
    ok->setObjectName(QStringLiteral("informationOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 5, 5);
    column->addWidget(panel, 1);
    column->addWidget(ok, 0, Qt::AlignRight);
    adjustSize();
    PlaceOver(mainWindow);
    mainWindow.setEnabled(false);
    // The window itself stays usable although its owner is disabled.
    setEnabled(true);
    ok->setFocus();
}

// Centred on the main window, but never partly off the screen when the main
// window sits near an edge.
void cuiInformation::PlaceOver(const QWidget& mainWindow) {
    const QPoint centre = mainWindow.geometry().center();
    const QScreen* screen = QGuiApplication::screenAt(centre);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QPoint centred = centre - rect().center();
    const QSize size = frameGeometry().size();
    const cmcWorkArea::Bounds placed =
        cmcWorkArea::Inside({centred.x(), centred.y(), size.width(), size.height()},
                            {work.left(), work.top(), work.right() + 1, work.bottom() + 1});
    move(placed.left, placed.top);
}

cuiInformation::~cuiInformation() {
    if (m_mainWindow) {
        m_mainWindow->setEnabled(true);
        m_mainWindow->setFocus();
    }
}

#include "app/gui/TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "app/gui/cuiStatusPanel.h"

namespace {

QFrame* Panel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    return panel;
}

}  // namespace

TForm1::TForm1() {
    setObjectName(QStringLiteral("Form1"));
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(false);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setHandleWidth(kSplitterWidth);
    m_splitter->setOpaqueResize(true);
    m_splitter->setChildrenCollapsible(false);
    m_treePanel = Panel(m_splitter, "treePanel");
    m_treePanel->setMinimumWidth(kSplitterMin);
    m_sheetPanel = Panel(m_splitter, "sheetPanel");
    m_splitter->addWidget(m_treePanel);
    m_splitter->addWidget(m_sheetPanel);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);
    m_statusPanel = new cuiStatusPanel(this);
    statusBar()->addWidget(m_statusPanel, 1);
    statusBar()->setSizeGripEnabled(true);
    setMinimumSize(kMinWidth, kMinHeight);
}

void TForm1::Alert() {
    QApplication::alert(this);
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

int TForm1::TreeWidth() const {
    return m_treePanel->width();
}

void TForm1::SetTreeWidth(int width) {
    int total = m_splitter->width() > width ? m_splitter->width() : width + kSplitterMin * 20;
    m_splitter->setSizes({width, total - width});
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (onCloseQuery && !onCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    if (onClosed) {
        onClosed();
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (onShown) {
        onShown();
    }
}

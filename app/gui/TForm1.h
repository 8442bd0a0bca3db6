#pragma once
#include <QMainWindow>
#include <functional>

class QFrame;
class QSplitter;
class QToolBar;
class cuiStatusPanel;

// The main window: tree panel, splitter and sheet panel above a status bar
// with one drawn panel. It carries no rules; the main controller decides
// whether it may close and what its title is.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kMinWidth = 400;
    static constexpr int kMinHeight = 200;
    static constexpr int kSplitterWidth = 3;
    static constexpr int kSplitterMin = 8;

    TForm1();

    std::function<bool()> onCloseQuery;
    std::function<void()> onShown;
    std::function<void()> onClosed;
    // The main window draws the user's attention when another copy starts.
    void Alert();

    QFrame* TreePanel() const { return m_treePanel; }
    QFrame* SheetPanel() const { return m_sheetPanel; }
    QSplitter* Splitter() const { return m_splitter; }
    QToolBar* ToolBar() const { return m_toolBar; }
    cuiStatusPanel* StatusPanel() const { return m_statusPanel; }
    int TreeWidth() const;
    void SetTreeWidth(int width);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QFrame* m_treePanel;
    QFrame* m_sheetPanel;
    QSplitter* m_splitter;
    QToolBar* m_toolBar;
    cuiStatusPanel* m_statusPanel;
};

#pragma once
#include <QDialog>
#include <QPointer>
#include <functional>

class QFrame;
class cmcGTex;
class indDocHost;

// The radio information window: a panel for the information sheet and an
// OK button. It deletes itself when closed and keeps the main window
// disabled for exactly its own lifetime, so it behaves as a modal dialog
// while the event loop runs on.
class cuiInformation : public QDialog {
    Q_OBJECT

public:
    // Builds the sheet on the panel and returns it; the sheet engine
    // provides this. Without one the panel stays empty.
    using SheetFactory = std::function<QWidget*(QFrame& panel, const std::string& sheetName)>;

    // The sheet engine's factory: the named sheet over the document's links,
    // without scroll bars and exactly as large as its cells.
    static SheetFactory PanelFactory(indDocHost& host);

    // Shows the window at once; the caller keeps no reference.
    static cuiInformation* Show(QWidget& mainWindow, const QString& caption, cmcGTex& table,
                                const std::string& sheetName, const SheetFactory& factory);
    ~cuiInformation() override;

private:
    cuiInformation(QWidget& mainWindow, const QString& caption, cmcGTex& table,
                   const std::string& sheetName, const SheetFactory& factory);
    void PlaceOver(const QWidget& mainWindow);

    QPointer<QWidget> m_mainWindow;
};

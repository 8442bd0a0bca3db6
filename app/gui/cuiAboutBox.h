#pragma once
#include <QDialog>
#include <functional>

class cmcDocument;
class cmcGTex;

// The About box: the program's label with its revision and an OK button.
// It sees every key first and hands typed characters on; the main window
// stays disabled while it is open.
class cuiAboutBox : public QDialog {
    Q_OBJECT

public:
    using KeyHandler = std::function<void(char)>;

    cuiAboutBox(QWidget& owner, cmcGTex& table, cmcDocument& document, KeyHandler onKey);
    ~cuiAboutBox() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The widget a key press goes to first: the focused one inside the box.
    QObject* FirstReceiver();

    QWidget& m_owner;
    KeyHandler m_onKey;
};

#pragma once
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class cmcGTex;

// The small window shown while a print job runs: a message and a Cancel
// button (also Escape) that asks the job to stop. It has no close box, so
// the job alone decides when it goes.
class cuiPrintProgress : public QDialog {
    Q_OBJECT

public:
    // `owner`: the main window it is centred on; may be nullptr.
    cuiPrintProgress(QWidget* owner, cmcGTex& table, std::function<void()> onCancel);

    QLabel* Label() const { return m_label; }
    QPushButton* CancelButton() const { return m_button; }

public slots:
    // Escape: the same as the button, and the window stays.
    void reject() override;

private:
    void Arrange();
    void PlaceOver(QWidget* owner);

    QLabel* m_label;
    QPushButton* m_button;
    std::function<void()> m_onCancel;
};

#pragma once
#include <QPointer>
#include <QWidget>

#include "runtime/cmcPrompt.h"

// The core's message boxes and file dialogs as Qt shows them, owned by the
// main window once there is one.
class cmcQtPrompt : public cmcPrompt {
public:
    void SetOwner(QWidget* owner) { m_owner = owner; }

    Answer Message(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) override;
    Answer OpenFileDialog(const FileRequest& request, std::string& path) override;
    Answer SaveFileDialog(const FileRequest& request, std::string& path) override;

    // "label|pattern|label|pattern" as Qt's "label (pattern);;..." form.
    static QString Filter(const std::string& tableFilter);

private:
    QPointer<QWidget> m_owner;
};

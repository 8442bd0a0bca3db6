#pragma once
#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "app/cmcPortChoice.h"

class QComboBox;
class QLineEdit;
class cmcGTex;
class cmcPrompt;

// The port selection dialog in its three variants: a typed number, the
// ports of the system, or the ports with their device names. The lists come
// from the caller (refilled each time the list drops down); OK accepts only
// ports 1 to 256 and otherwise says so and stays open.
class cuiPortSelect : public QDialog {
    Q_OBJECT

public:
    using Lister = std::function<QStringList()>;

    cuiPortSelect(QWidget* owner, cmcGTex& table, cmcPrompt& prompt,
                  cmcPortChoice::Variant variant, int32_t current, Lister lister = {});

    // The chosen port after OK.
    int32_t Port() const { return m_port; }
    QWidget* Input() const;
    // Refills the list as dropping it down does.
    void Refill();

private:
    void Accept();
    QString ItemFor(int32_t port) const;

    cmcGTex& m_table;
    cmcPrompt& m_prompt;
    cmcPortChoice::Variant m_variant;
    Lister m_lister;
    QLineEdit* m_edit = nullptr;
    QComboBox* m_list = nullptr;
    int32_t m_port;
};

#include "sheet/qt/cuiPopupShortcuts.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "runtime/cmcEvent.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiMenuItem.h"

cuiPopupShortcuts::cuiPopupShortcuts(QWidget* target, cmcEvMan& events, int32_t editTopLink,
                                     MakeMenu make)
    : m_target(target),
      m_editTopLink(editTopLink),
      m_make(std::move(make)),
      m_listener(&events, cmcMethod<const cmcEvent&>(this, &cuiPopupShortcuts::OnEvent)) {}

cuiPopupShortcuts::~cuiPopupShortcuts() {
    Drop();
}

void cuiPopupShortcuts::OnEvent(const cmcEvent& event) {
    switch (event.code) {
        case cuiMenu::kEventRefresh:
            ShowStates();
            break;
        case cuiMenu::kEventAttachSub:
            if (event.p2 == m_editTopLink) {
                Offer(event.Text());
            }
            break;
        default:
            break;
    }
}

// The same menu offered again (the cursor moved within a list) is kept.
void cuiPopupShortcuts::Offer(const std::string& stem) {
    if (m_menu && stem == m_stem) {
        return;
    }
    Drop();
    m_stem = stem;
    if (stem.empty() || !m_target || !m_make) {
        return;
    }
    m_menu = m_make(stem);
    AddShortcuts(m_menu->Root());
    ShowStates();
}

void cuiPopupShortcuts::Drop() {
    for (auto& [shortcut, item] : m_shortcuts) {
        if (shortcut) {
            shortcut->setEnabled(false);
            shortcut->deleteLater();
        }
    }
    m_shortcuts.clear();
    if (m_running > 0 && m_menu) {
        m_retired.push_back(std::move(m_menu));
    }
    m_menu.reset();
    m_stem.clear();
}

void cuiPopupShortcuts::AddShortcuts(cuiMenuItem& parent) {
    for (const auto& child : parent.children) {
        AddShortcuts(*child);
        if (child->separator || child->shortcut.empty()) {
            continue;
        }
        const QKeySequence keys = QKeySequence::fromString(QString::fromStdString(child->shortcut),
                                                           QKeySequence::PortableText);
        if (keys.isEmpty()) {
            continue;
        }
        // Only while the grid itself has the focus: the in-cell editor keeps
        // its own Ctrl+C and Enter.
        auto* shortcut = new QShortcut(keys, m_target, nullptr, nullptr, Qt::WidgetShortcut);
        cuiMenuItem* item = child.get();
        connect(shortcut, &QShortcut::activated, this, [this, item] { Run(*item); });
        m_shortcuts.emplace_back(shortcut, item);
    }
}

void cuiPopupShortcuts::ShowStates() {
    if (!m_menu || m_running > 0) {
        return;
    }
    m_menu->UpdateAll();
    for (auto& [shortcut, item] : m_shortcuts) {
        if (shortcut) {
            shortcut->setEnabled(item->visible && item->enabled);
        }
    }
}

void cuiPopupShortcuts::Run(cuiMenuItem& item) {
    if (!m_menu) {
        return;
    }
    m_menu->UpdateAll();
    if (!item.visible || !item.enabled) {
        return;
    }
    ++m_running;
    cuiMenu* menu = m_menu.get();
    menu->Activate(item);
    --m_running;
    if (m_running == 0) {
        m_retired.clear();
    }
    ShowStates();
}

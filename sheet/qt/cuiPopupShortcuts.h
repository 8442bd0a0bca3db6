#pragma once
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sheet/cuiMenuListener.h"

class QShortcut;
class QWidget;
class cmcEvMan;
class cuiMenu;
struct cmcEvent;
struct cuiMenuItem;

// The current cell's pop-up menu answers its shortcuts (Ctrl+C, Ctrl+Up…)
// on the sheet itself, not only while the menu is open. The sheet offers
// its menu to the edit item by events 10 and 11; this takes the offer for
// that item's link and makes each item's shortcut a shortcut of the grid,
// enabled while the item is (a disabled one leaves the key to the grid).
class cuiPopupShortcuts : public QObject {
    Q_OBJECT

public:
    // Builds the menu model of a pop-up stem, its clicks already bound.
    using MakeMenu = std::function<std::unique_ptr<cuiMenu>(const std::string& stem)>;

    cuiPopupShortcuts(QWidget* target, cmcEvMan& events, int32_t editTopLink, MakeMenu make);
    ~cuiPopupShortcuts() override;

    const std::string& Stem() const { return m_stem; }

private:
    void OnEvent(const cmcEvent& event);
    void Offer(const std::string& stem);
    void Drop();
    void AddShortcuts(cuiMenuItem& parent);
    void ShowStates();
    void Run(cuiMenuItem& item);

    QPointer<QWidget> m_target;
    int32_t m_editTopLink;
    MakeMenu m_make;
    std::string m_stem;
    std::unique_ptr<cuiMenu> m_menu;
    // A command may move the cursor onto a cell with another menu: the menu
    // it came from stays alive until it has returned.
    std::vector<std::unique_ptr<cuiMenu>> m_retired;
    int m_running = 0;
    std::vector<std::pair<QPointer<QShortcut>, cuiMenuItem*>> m_shortcuts;
    cuiMenuListener m_listener;
};

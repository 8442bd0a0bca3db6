#include "sheet/cuiToolBar.h"

#include <utility>

#include "runtime/cmcEvent.h"
#include "sheet/cuiMenuBody.h"
#include "sheet/cuiMenuItem.h"
#include "text/cmcGTex.h"

cuiToolBar::cuiToolBar(const cmcCellContext& context, std::string stem, cmcCellLink link,
                       cmcEvMan* events)
    : m_context(context),
      m_stem(std::move(stem)),
      m_link(std::move(link)),
      m_listener(events, cmcMethod<const cmcEvent&>(this, &cuiToolBar::OnEvent)) {}

void cuiToolBar::Build() {
    m_buttons.clear();
    cuiMenuBody::ParseBasicCell(m_context, m_stem, m_basicCell);
    for (const std::string& line : cuiMenuBody::Lines(m_context.table, m_stem + "_Body")) {
        auto cell = std::make_unique<cmcCellObj>();
        ParseCell(m_context, line, *cell, nullptr, &m_basicCell);
        cuiToolButton button;
        button.hint = std::string(cell->DisplayText());
        if (button.hint == "-") {
            button.kind = cuiToolButton::Kind::Separator;
        } else if (button.hint == "/") {
            button.kind = cuiToolButton::Kind::LineBreak;
        } else {
            button.imageIndex = cell->imageIndex;
            button.cell = std::move(cell);
        }
        m_buttons.push_back(std::move(button));
    }
}

void cuiToolBar::PrepareRequest(cmcCellObj* cell) {
    m_request.Reset();
    m_request.sender = m_host;
    m_request.cell = cell;
}

void cuiToolBar::Refresh() {
    for (cuiToolButton& button : m_buttons) {
        if (!button.cell) {
            button.checkStyle = false;
            button.down = false;
            continue;
        }
        cmcCellObj& cell = *button.cell;
        PrepareRequest(&cell);
        const bool imageChanged = cuiMenuBody::AskStates(m_link, m_request);
        button.checkStyle = (cell.userFlags & cuiMenuItem::kFlagChecked) != 0;
        button.down = button.checkStyle;
        button.enabled = (cell.userFlags & cuiMenuItem::kFlagDisabled) == 0;
        if (imageChanged) {
            button.imageIndex = cell.imageIndex;
        }
    }
}

void cuiToolBar::Click(size_t n) {
    if (n >= m_buttons.size() || !m_buttons[n].cell) {
        return;
    }
    PrepareRequest(m_buttons[n].cell.get());
    m_request.request = cmcCellCapsule::kRequestEnter;
    m_link(m_request, true);
}

void cuiToolBar::OnEvent(const cmcEvent& event) {
    if (event.code == kEventRefresh) {
        Refresh();
    }
}

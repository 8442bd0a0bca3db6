#include "sheet/cuiToolBar.h"

#include <utility>

#include "app/cmcEvMan.h"
#include "app/cmcEvent.h"
#include "sheet/cuiMenuBody.h"
#include "sheet/cuiMenuItem.h"
#include "text/cmcGTex.h"

cuiToolBar::cuiToolBar(const cmcCellContext& context, std::string stem, cmcCellLink link,
                       cmcEvMan* events)
    : m_context(context), m_stem(std::move(stem)), m_link(std::move(link)), m_events(events) {
    if (m_events) {
        m_events->Listen(cmcMethod<const cmcEvent&>(this, &cuiToolBar::OnEvent));
    }
}

cuiToolBar::~cuiToolBar() {
    if (m_events) {
        m_events->Unlisten(cmcMethod<const cmcEvent&>(this, &cuiToolBar::OnEvent));
    }
}

void cuiToolBar::Build() {
    m_buttons.clear();
    m_basicCell = cmcCellObj();
    ParseCell(m_context, m_context.table.GetLine(m_stem + "_BasicCell", 0), m_basicCell, nullptr,
              nullptr);
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
        const int32_t imageBefore = cell.imageIndex;
        cell.userFlags &= static_cast<uint16_t>(~cuiMenuItem::kStateFlags);
        PrepareRequest(&cell);
        m_link(m_request, false);
        button.checkStyle = (cell.userFlags & cuiMenuItem::kFlagChecked) != 0;
        button.down = button.checkStyle;
        button.enabled = (cell.userFlags & cuiMenuItem::kFlagDisabled) == 0;
        if (cell.imageIndex != imageBefore) {
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

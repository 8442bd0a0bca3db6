#include "sheet/cuiMenu.h"

#include <utility>

#include "runtime/cmcEvent.h"
#include "sheet/cuiMenuBody.h"
#include "text/cmcGTex.h"

namespace {

cuiMenuItem* FindIn(cuiMenuItem& item, int32_t link) {
    if (item.cell && item.cell->link == link) {
        return &item;
    }
    for (const auto& child : item.children) {
        if (cuiMenuItem* found = FindIn(*child, link)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

cuiMenu::cuiMenu(const cmcCellContext& context, std::string stem, cmcCellLink link,
                 ClickHandler click, cmcEvMan* events)
    : m_context(context),
      m_stem(std::move(stem)),
      m_link(std::move(link)),
      m_click(std::move(click)),
      m_listener(events, cmcMethod<const cmcEvent&>(this, &cuiMenu::OnEvent)) {
    if (!m_click) {
        m_click = [this](cuiMenuItem& item) { DefaultClick(item); };
    }
}

void cuiMenu::Build() {
    m_root.children.clear();
    cuiMenuBody::ParseBasicCell(m_context, m_stem, m_basicCell);
    BuildBody(m_root, m_stem, m_basicCell, m_click);
}

void cuiMenu::BuildBody(cuiMenuItem& under, const std::string& stem, const cmcCellObj& basic,
                        const ClickHandler& click) {
    const std::vector<std::string> lines = cuiMenuBody::Lines(m_context.table, stem + "_Body");
    auto add = [&](cuiMenuItem* parent, std::string_view cellText) {
        return &AddItem(*parent, cellText, basic, click);
    };
    cuiMenuBody::BuildLevel(lines, 0, &under, add);
}

cuiMenuItem& cuiMenu::AddItem(cuiMenuItem& parent, std::string_view cellText,
                              const cmcCellObj& basic, const ClickHandler& click) {
    auto item = std::make_unique<cuiMenuItem>();
    item->cell = std::make_unique<cmcCellObj>();
    ParseCell(m_context, cellText, *item->cell, nullptr, &basic);
    item->caption = std::string(item->cell->DisplayText());
    item->separator = item->caption == "-";
    item->shortcut = item->cell->argument.value_or("");
    item->imageIndex = item->cell->imageIndex;
    item->click = click;
    item->parentItem = &parent;
    parent.children.push_back(std::move(item));
    return *parent.children.back();
}

void cuiMenu::PrepareRequest(cmcCellObj* cell) {
    m_request.Reset();
    m_request.sender = m_host;
    m_request.cell = cell;
    const cmcCellObj* current = m_currentCell ? m_currentCell() : nullptr;
    if (current) {
        CopyCell(m_relatedCell, *current);
        m_relatedCapsule.Reset();
        m_relatedCapsule.sender = m_host;
        m_relatedCapsule.cell = &m_relatedCell;
        m_request.parent = &m_relatedCapsule;
    }
}

void cuiMenu::QueryItem(cuiMenuItem& item) {
    if (!item.cell) {
        item.checked = false;
        return;
    }
    cmcCellObj& cell = *item.cell;
    PrepareRequest(&cell);
    const bool imageChanged = cuiMenuBody::AskStates(m_link, m_request);
    item.checked = (cell.userFlags & cuiMenuItem::kFlagChecked) != 0;
    item.visible = (cell.userFlags & cuiMenuItem::kFlagHidden) == 0;
    item.enabled = (cell.userFlags & cuiMenuItem::kFlagDisabled) == 0;
    if ((cell.userFlags & cuiMenuItem::kFlagCaptionReplaced) != 0 &&
        item.caption != cell.DisplayText()) {
        item.caption = std::string(cell.DisplayText());
    }
    if (imageChanged) {
        item.imageIndex = cell.imageIndex;
    }
}

void cuiMenu::UpdateStates(cuiMenuItem& item) {
    if (&item != &m_root) {
        QueryItem(item);
    }
    for (const auto& child : item.children) {
        UpdateStates(*child);
    }
}

void cuiMenu::Activate(cuiMenuItem& item) {
    // A command may rebuild the very submenu the item sits in, so the
    // handler must not live in the item while it runs.
    const ClickHandler click = item.click;
    if (click) {
        click(item);
    }
}

void cuiMenu::DefaultClick(cuiMenuItem& item) {
    PrepareRequest(item.cell.get());
    m_request.request = cmcCellCapsule::kRequestEnter;
    m_link(m_request, true);
    UpdateAll();
}

cuiMenuItem* cuiMenu::FindByLink(int32_t link) {
    return FindIn(m_root, link);
}

void cuiMenu::DeleteChildrenOf(int32_t link) {
    if (cuiMenuItem* item = FindByLink(link)) {
        item->children.clear();
        item->attachedBasicCell.reset();
    }
}

void cuiMenu::AttachBody(int32_t link, const std::string& stem, ClickHandler click) {
    cuiMenuItem* item = FindByLink(link);
    if (!item) {
        return;
    }
    item->children.clear();
    item->attachedBasicCell = std::make_unique<cmcCellObj>();
    cuiMenuBody::ParseBasicCell(m_context, stem, *item->attachedBasicCell);
    BuildBody(*item, stem, *item->attachedBasicCell, click ? click : m_click);
}

void cuiMenu::OnEvent(const cmcEvent& event) {
    switch (event.code) {
        case kEventRefresh:
            UpdateAll();
            break;
        case kEventDeleteSub:
            DeleteChildrenOf(event.p2);
            break;
        case kEventAttachSub:
            AttachBody(event.p2, event.Text(), m_resolver ? m_resolver(event.p1) : ClickHandler());
            break;
        default:
            break;
    }
}

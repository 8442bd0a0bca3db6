#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellLink.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiMenuItem.h"
#include "sheet/cuiMenuListener.h"

class cmcEvMan;
struct cmcEvent;

// A main or pop-up menu built from a description (stem + "_BasicCell",
// stem + "_Body") as a tree of items. The link handler answers each item's
// state and executes its command; the GUI only renders the items and calls
// Activate when one is chosen.
class cuiMenu {
public:
    using ClickHandler = cuiMenuItem::ClickHandler;
    // The current sheet cell, or null; its copy goes with pop-up commands so
    // that the handler judges them against that cell.
    using CurrentCell = std::function<const cmcCellObj*()>;
    // The click handler for sub-items attached by event 11, from its p1.
    using ClickResolver = std::function<ClickHandler(int32_t)>;

    static constexpr uint32_t kEventRefresh = 9;
    static constexpr uint32_t kEventDeleteSub = 10;
    static constexpr uint32_t kEventAttachSub = 11;

    // Without a click handler, Activate sends request 13 to the link handler.
    // With an event manager the menu listens for events 9, 10 and 11.
    cuiMenu(const cmcCellContext& context, std::string stem, cmcCellLink link,
            ClickHandler click = {}, cmcEvMan* events = nullptr);
    cuiMenu(const cuiMenu&) = delete;
    cuiMenu& operator=(const cuiMenu&) = delete;

    void SetHost(void* host) { m_host = host; }
    void SetCurrentCell(CurrentCell currentCell) { m_currentCell = std::move(currentCell); }
    void SetClickResolver(ClickResolver resolver) { m_resolver = std::move(resolver); }

    // Drops every item and builds the body again.
    void Build();
    cuiMenuItem& Root() { return m_root; }

    // Asks the handler for the states of the item and all its sub-items.
    void UpdateStates(cuiMenuItem& item);
    void UpdateAll() { UpdateStates(m_root); }
    // What choosing the item does: its click handler, then a full refresh.
    void Activate(cuiMenuItem& item);

    // The first item, depth first, whose cell has the link; null when none.
    cuiMenuItem* FindByLink(int32_t link);
    // Removes the sub-items of the item whose cell has the link (event 10).
    void DeleteChildrenOf(int32_t link);
    // Builds the body of `stem` as sub-items of the item whose cell has the
    // link; they call `click` when chosen (event 11).
    void AttachBody(int32_t link, const std::string& stem, ClickHandler click);

    void OnEvent(const cmcEvent& event);

private:
    cuiMenuItem& AddItem(cuiMenuItem& parent, std::string_view cellText, const cmcCellObj& basic,
                         const ClickHandler& click);
    void BuildBody(cuiMenuItem& under, const std::string& stem, const cmcCellObj& basic,
                   const ClickHandler& click);
    void PrepareRequest(cmcCellObj* cell);
    void QueryItem(cuiMenuItem& item);
    void DefaultClick(cuiMenuItem& item);

    const cmcCellContext& m_context;
    std::string m_stem;
    cmcCellLink m_link;
    ClickHandler m_click;
    void* m_host = nullptr;
    CurrentCell m_currentCell;
    ClickResolver m_resolver;
    cmcCellObj m_basicCell;
    cuiMenuItem m_root;
    cmcCellCapsule m_request;
    cmcCellObj m_relatedCell;
    cmcCellCapsule m_relatedCapsule;
    // Last, so that it is gone before the rest.
    cuiMenuListener m_listener;
};

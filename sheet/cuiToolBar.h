#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellLink.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiMenuListener.h"
#include "sheet/cuiToolButton.h"

class cmcEvMan;
struct cmcEvent;

// A toolbar built from a description: every body line is one button, a "-"
// an 8-pixel separator, a "/" the start of a new button row. The link
// handler answers the buttons' states and executes their commands.
class cuiToolBar {
public:
    static constexpr uint32_t kEventRefresh = 20;

    cuiToolBar(const cmcCellContext& context, std::string stem, cmcCellLink link,
               cmcEvMan* events = nullptr);
    cuiToolBar(const cuiToolBar&) = delete;
    cuiToolBar& operator=(const cuiToolBar&) = delete;

    void SetHost(void* host) { m_host = host; }

    void Build();
    const std::vector<cuiToolButton>& Buttons() const { return m_buttons; }

    // Asks the handler for every button's state.
    void Refresh();
    // A click on button n: request 13 for its cell.
    void Click(size_t n);

    void OnEvent(const cmcEvent& event);

private:
    void PrepareRequest(cmcCellObj* cell);

    const cmcCellContext& m_context;
    std::string m_stem;
    cmcCellLink m_link;
    void* m_host = nullptr;
    cmcCellObj m_basicCell;
    std::vector<cuiToolButton> m_buttons;
    cmcCellCapsule m_request;
    // Last, so that it is gone before the rest.
    cuiMenuListener m_listener;
};

#pragma once
#include <cstdint>
#include <string>

#include "sheet/cmcRect.h"
#include "util/cmcMethod.h"

struct cmcCellObj;

// The request record through which sheets, menus, toolbars, trees and choice
// lists ask the cell link handler for an element's text and state and pass
// user actions to it. A copy owns its strings; pointers are never owned.
struct cmcCellCapsule {
    // request: 0 a plain query (or a pop-up menu command), else a typed
    // character code, or a key code shifted left by 8 for keys passed on.
    static constexpr int32_t kRequestQuery = 0;
    static constexpr int32_t kRequestBackspace = 8;  // step back
    static constexpr int32_t kRequestEnter = 13;     // commit or execute
    static constexpr int32_t kRequestSpace = 32;     // step forward
    static constexpr int32_t kRequestClick = 256;    // click on the current cell, as Enter
    static constexpr int32_t kRequestKeyLeft = 0x25 << 8;
    static constexpr int32_t kRequestKeyRight = 0x27 << 8;
    static constexpr int32_t kRequestInputMethod = 0xE5 << 8;  // input-method key

    // state bits; the handler sets the two marks, the grid draws them.
    static constexpr uint32_t kStateCurrent = 1;
    static constexpr uint32_t kStatePrinting = 2;
    static constexpr uint32_t kStateWarning = 4;
    static constexpr uint32_t kStateError = 8;

    // markPosition
    static constexpr int32_t kMarkAuto = 0;
    static constexpr int32_t kMarkLeft = 1;
    static constexpr int32_t kMarkRight = 2;  // as any other value

    // origin
    static constexpr int32_t kOriginPlain = 0;
    static constexpr int32_t kOriginEditor = 1;  // inText comes from the in-cell editor
    static constexpr int32_t kOriginChoice = 2;  // the value was chosen in a choice list

    // rangeState bits
    static constexpr uint32_t kRangeActive = 1;
    static constexpr uint32_t kRangeChanged = 2;  // set by the handler

    cmcCellCapsule* parent = nullptr;  // for a choice-list entry: the opening cell's capsule
    void* sender = nullptr;            // the control hosting the element
    void* editHost = nullptr;          // where it may be edited; none for menu and toolbar items
    cmcCellObj* cell = nullptr;
    void* canvas = nullptr;   // drawing surface while drawing
    void* context = nullptr;  // the sheet's context object
    cmcRect rect;
    int32_t caretPosition = 0;
    int32_t selectionLength = 0;
    int32_t request = kRequestQuery;
    int32_t command = 0;  // link id of the pop-up menu item chosen
    std::string inText;
    std::string outText;
    uint32_t state = 0;
    int32_t markPosition = kMarkAuto;
    int32_t origin = kOriginPlain;
    int32_t moveRequest = 0;  // non-zero: move the cursor to the cell named below
    int32_t moveCategory = 0;
    int32_t moveLink = 0;
    int32_t moveIndex = 0;
    int32_t repeatRequest = 0;  // non-zero: call again with this request
    void* sheet = nullptr;
    uint32_t rangeState = 0;
    int32_t rangeFirst = 0;
    int32_t rangeLast = 0;
    // Repaints the visible cells that match a mask.
    cmcMethod<cmcCellCapsule&, uint32_t> invalidate;
    // Opens the in-cell editor on the current cell with outText.
    cmcMethod<cmcCellCapsule&> reopenEditor;

    // Every field back to zero or empty.
    void Reset();
};

#pragma once
#include <cstdint>
#include <string_view>

#include "model/datCh.h"
#include "sheet/cmcCellLink.h"

struct cmcCellCapsule;
struct cmcCellObj;
class cmcCellNames;
class indDocHost;

// The one place that turns a cell link into image bytes and back: every cell,
// menu and toolbar item, pop-up item, choice-list entry and check line asks
// here for its text and state and hands its user actions over. It holds no
// state between requests: that lives in the request, the image and the host.
class indActiveCell {
public:
    // Repaint mask bits handed to the request's invalidate callback.
    static constexpr uint32_t kRepaintSameLink = 1;  // same link and index
    static constexpr uint32_t kRepaintSameRow = 8;   // every cell of the record's row

    // Item state flags of a cell: Flag0 is a menu item's check mark and a
    // sheet cell's read-only look, Flag1 hidden, Flag2 disabled.
    static constexpr uint16_t kFlagReadOnly = 1;
    static constexpr uint16_t kFlagHidden = 2;
    static constexpr uint16_t kFlagDisabled = 4;
    // The grey of read-only text and of the quarter pillar.
    static constexpr uint32_t kGrey = 0x808080;

    explicit indActiveCell(indDocHost& host) : m_host(host) {}

    // "" gives 12 and 359; an unknown name is fatal.
    static int32_t CategoryId(std::string_view name);
    static int32_t LinkId(std::string_view name);
    // The registry's names, for parsing descriptions.
    static const cmcCellNames& Names();
    // The ChType of a category id; outside 0..12 is fatal.
    static uint32_t ChTypeOf(int32_t category);

    // Answers one request. action is set for user actions, clear for drawing
    // queries. Returns 0 when done, 1 when a choice list was opened, 2 when
    // the caller must open the in-place editor with the request's text.
    int Handle(cmcCellCapsule& request, bool action);
    // A bare request holding only the cell and the request code.
    int HandleForCell(cmcCellObj& cell, int32_t requestCode);

    // Handle as the cell link callback of sheets, menus and the check walk.
    static cmcCellLink LinkFor(indDocHost& host);

private:
    bool RunPopupCommand(cmcCellCapsule& request, datCh& record, uint32_t chType);
    int Dispatch(cmcCellCapsule& request, datCh& record);
    bool AnswerDisplay(cmcCellCapsule& request);
    bool AnswerInfo(cmcCellCapsule& request);
    bool AnswerCommand(cmcCellCapsule& request);
    bool AnswerPopupItem(cmcCellCapsule& request, const datCh& record);
    void DrawQuarterPillar(cmcCellCapsule& request);

    indDocHost& m_host;
};

#pragma once
#include <cstdint>

struct cmcCellCapsule;
class cmcEeprom;
class indDocHost;

// The row commands of the list sheets' pop-up menus: copy, paste, move up and
// down, clear, delete, insert and set all. They work on whole records of the
// current image, report through events and ask through the host's prompt.
class indActiveCellRows {
public:
    // Application events the row commands send.
    static constexpr uint32_t kEvStatusText = 4;
    static constexpr uint32_t kEvRefreshAll = 13;
    static constexpr uint32_t kEvRowChanged = 16;

    explicit indActiveCellRows(indDocHost& host) : m_host(host) {}

    // Runs the pop-up command (a CL_PMenu_ link id) on the request's cell or
    // selection for records of chType. False when no operation ran: another
    // command, or one the ChType does not permit.
    bool Run(int32_t command, cmcCellCapsule& request, uint32_t chType);

    // Moves records at..end-2 one row down and refills row at from the
    // initial image, for the document's bank events.
    static void ShiftDown(cmcEeprom& current, cmcEeprom& initial, int32_t end, uint32_t chType,
                          int32_t at);

private:
    struct Rows {
        int32_t first;
        int32_t last;
        int32_t min;
        int32_t max;
        int32_t current;
    };

    void CopyRows(cmcCellCapsule& request, uint32_t chType, const Rows& rows);
    void PasteRows(cmcCellCapsule& request, uint32_t chType, const Rows& rows);
    void MoveRows(cmcCellCapsule& request, uint32_t chType, const Rows& rows, int32_t direction);
    void ClearRows(uint32_t chType, const Rows& rows);
    void DeleteRows(cmcCellCapsule& request, uint32_t chType, const Rows& rows);
    void InsertRows(cmcCellCapsule& request, const Rows& rows);
    void SetAllRows(uint32_t chType, const Rows& rows);

    bool Confirm(const char* key);
    void Status(const char* key);
    void RowsChanged(int32_t first, int32_t last);
    static void MarkRange(cmcCellCapsule& request, int32_t first, int32_t last);
    static void MoveCursor(cmcCellCapsule& request, int32_t row);
    static Rows RowsOf(const cmcCellCapsule& request, int32_t command, uint32_t chType);

    indDocHost& m_host;
};

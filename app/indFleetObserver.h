#pragma once
#include <cstdint>
#include <string>

#include "files/indFleetLog.h"
#include "model/indCellEdit.h"

// What a fleet batch tells the person running it. Texts are code page 932.
class indFleetObserver {
public:
    virtual ~indFleetObserver() = default;
    // A row's value was adjusted by its codec or refused (which stops the row).
    virtual void EditReported(int32_t row, const indCellEdit& edit,
                              indCellEdit::Outcome outcome) = 0;
    // The port waits for the radio of this row to be connected and answer.
    virtual void WaitingForRadio(int32_t row, const std::string& port) = 0;
    // A radio answered and is being written and verified.
    virtual void Programming(int32_t row, const std::string& port) = 0;
    // A message of the clone jobs on a port (their reports of failures).
    virtual void Message(const std::string& port, const std::string& text) = 0;
    // A row is finished, and logged.
    virtual void RowDone(const indFleetLog::Entry& entry) = 0;
};

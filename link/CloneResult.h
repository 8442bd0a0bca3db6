#pragma once
#include <cstdint>

#include "model/cmcEeprom.h"
#include "util/cmcBuff.h"

// What one clone operation found. The driver hands it to the completion
// callback and destroys it afterwards, so callers copy what they keep.
struct CloneResult {
    int32_t operation = 0;  // 1 probe, 2 identify, 3 read, 4 write
    int32_t result = 2;     // a cmcCloneDrv result code
    int32_t modelCode = 0;  // code A until the radio's identity replaces it
    int32_t extraCode = 0;  // code B until the radio's identity replaces it
    cmcBuff information;    // the identity frame's information block
    cmcEeprom image;        // read: the received bytes; write: what was sent
    cmcBuff receivedMap;    // one bit per image address received
};

#pragma once
#include <cstdint>
#include <string>
#include <vector>

// How an application event reached its listeners.
enum class cmcEventMode : int32_t {
    Queued = 0,
    Immediate = 1,
    Question = 2,
};

// An application event as listeners see it. The payload is the manager's own
// copy of the sender's bytes; its length is the payload's size (a text payload
// carries its terminating zero).
struct cmcEvent {
    uint32_t code = 0;
    cmcEventMode mode = cmcEventMode::Immediate;
    int32_t p1 = 0;
    int32_t p2 = 0;
    std::vector<uint8_t> payload;

    // The payload read as a text: the bytes before the first zero.
    std::string Text() const;
};

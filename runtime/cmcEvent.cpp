#include "runtime/cmcEvent.h"

#include <algorithm>

std::string cmcEvent::Text() const {
    auto end = std::find(payload.begin(), payload.end(), uint8_t{0});
    return std::string(payload.begin(), end);
}

#pragma once
#include <cstdint>

// An element's rectangle in the host's pixels.
struct cmcRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

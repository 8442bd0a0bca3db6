#pragma once
#include <cstdint>
#include <string_view>

// Turns the category and link names written in cell descriptions into ids.
// The names belong to the radio model; the common cell parser reaches them
// only through this interface. An unknown name is a fault of the description
// and ends the program; an empty name gives the "none" id.
class cmcCellNames {
public:
    virtual ~cmcCellNames() = default;
    virtual int32_t CategoryId(std::string_view name) const = 0;
    virtual int32_t LinkId(std::string_view name) const = 0;
};

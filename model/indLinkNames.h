#pragma once
#include <cstdint>
#include <string_view>

#include "sheet/cmcCellNames.h"
#include "text/cmcHash.h"

// The names of this radio's cell link categories ("CT_") and links ("CL_",
// "Flex", "CallSheet"), whose positions are the ids that cells carry, and the
// kind of list record (ChType) each category works on.
class indLinkNames : public cmcCellNames {
public:
    static constexpr int32_t kCategoryCount = 12;  // ids 0..11; 12 means none
    static constexpr int32_t kLinkCount = 359;     // ids 0..358; 359 means none

    indLinkNames();

    // "" gives 12; an unknown name is fatal.
    int32_t CategoryId(std::string_view name) const override;
    // "" gives 359; an unknown name is fatal.
    int32_t LinkId(std::string_view name) const override;

    // The ChType of a category id (0 for none); an id outside 0..12 is fatal.
    static uint32_t ChTypeOf(int32_t category);

    // The name of an id, for diagnostics; empty for "none" and out of range.
    static std::string_view CategoryName(int32_t id);
    static std::string_view LinkName(int32_t id);

private:
    // Two tables, so that a link name written where a category belongs is
    // refused instead of being read as some category's id.
    cmcHash m_categories;
    cmcHash m_links;
};

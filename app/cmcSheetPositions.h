#pragma once
#include <cstdint>
#include <list>
#include <optional>
#include <string>

// Where each sheet was left: its grid's scroll position and current cell,
// newest first, one record per sheet name.
class cmcSheetPositions {
public:
    struct Position {
        int32_t scrollCol = 0;
        int32_t scrollRow = 0;
        int32_t cellCol = 0;
        int32_t cellRow = 0;
    };

    void Remember(const std::string& name, const Position& position);
    std::optional<Position> Find(const std::string& name) const;
    // The newest record's name, empty when none; a window without a tree
    // shows that sheet first.
    std::string Newest() const;

private:
    std::list<std::pair<std::string, Position>> m_records;
};

#include "app/cmcSheetPositions.h"

void cmcSheetPositions::Remember(const std::string& name, const Position& position) {
    m_records.remove_if([&](const auto& record) { return record.first == name; });
    m_records.emplace_front(name, position);
}

std::optional<cmcSheetPositions::Position> cmcSheetPositions::Find(const std::string& name) const {
    for (const auto& record : m_records) {
        if (record.first == name) {
            return record.second;
        }
    }
    return std::nullopt;
}

std::string cmcSheetPositions::Newest() const {
    return m_records.empty() ? std::string() : m_records.front().first;
}

#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The recent-file list, most recent first. Paths that differ only in the case
// of their ASCII letters name the same entry, so a file reopened under another
// spelling moves to the top instead of appearing twice.
class cmcRecent {
public:
    explicit cmcRecent(int32_t capacity);

    int32_t Capacity() const { return m_capacity; }
    void Clear() { m_entries.clear(); }
    int32_t Count();

    void AddFirst(const std::string& path);
    void AddLast(const std::string& path);

    // Entry index; "" past the end. When the entry lies directly in folder,
    // only its file name, which is how menus show files of the current folder.
    std::string Get(int32_t index, const std::string& folder);

    void Trim();

private:
    void Remove(const std::string& path);

    int32_t m_capacity;
    std::vector<std::string> m_entries;
};

#include "files/cmcRecent.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr char kDelimiter = '/';

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Paths are file-system bytes (UTF-8 here), so folding ASCII letters never
// touches part of a multi-byte character.
bool SamePath(const std::string& a, const std::string& b) {
    return std::ranges::equal(a, b, [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

// The root keeps its delimiter: stripping it would make the root equal the
// empty folder, and asking with an empty folder must give the full path.
std::string WithoutTrailingDelimiter(std::string folder) {
    if (folder.size() > 1 && folder.back() == kDelimiter) {
        folder.pop_back();
    }
    return folder;
}

std::string FolderOf(const std::string& path) {
    size_t last = path.rfind(kDelimiter);
    if (last == std::string::npos) {
        return "";
    }
    return last == 0 ? std::string(1, kDelimiter) : path.substr(0, last);
}

std::string FileNameOf(const std::string& path) {
    size_t last = path.rfind(kDelimiter);
    return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace

cmcRecent::cmcRecent(int32_t capacity) : m_capacity(std::max<int32_t>(capacity, 0)) {}

int32_t cmcRecent::Count() {
    Trim();
    return static_cast<int32_t>(m_entries.size());
}

void cmcRecent::AddFirst(const std::string& path) {
    Remove(path);
    m_entries.insert(m_entries.begin(), path);
    Trim();
}

void cmcRecent::AddLast(const std::string& path) {
    Remove(path);
    m_entries.push_back(path);
    Trim();
}

std::string cmcRecent::Get(int32_t index, const std::string& folder) {
    if (index < 0 || index >= Count()) {
        return "";
    }
    const std::string& entry = m_entries[static_cast<size_t>(index)];
    if (SamePath(WithoutTrailingDelimiter(FolderOf(entry)), WithoutTrailingDelimiter(folder))) {
        return FileNameOf(entry);
    }
    return entry;
}

void cmcRecent::Trim() {
    while (m_entries.size() > static_cast<size_t>(m_capacity)) {
        m_entries.pop_back();
    }
}

void cmcRecent::Remove(const std::string& path) {
    std::erase_if(m_entries, [&](const std::string& entry) { return SamePath(entry, path); });
}

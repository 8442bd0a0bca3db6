#include "text/cmcGTex.h"

#include <utility>

#include "util/cmcFatal.h"
#include "util/cmcStr.h"

namespace {

// A delivered line holds at most this many bytes; the rest is cut.
constexpr size_t kMaxLine = 8191;
// Keys found after passing more entries than this move to the front.
constexpr size_t kMoveToFrontAfter = 10;
const char kEndKey[] = "End_Of_Ovl";

bool IsHeader(const std::string& line) {
    return line.size() >= 2 && line[0] == '#' && line[1] != '\n';
}

}  // namespace

struct cmcGTex::Entry {
    std::string key;
    size_t bodyStart = 0;
    Entry* next = nullptr;
    int cursorLine = 0;
    size_t cursorPosition = 0;
};

cmcGTex::cmcGTex() { m_lineBuffer.reserve(kMaxLine + 2); }

cmcGTex::~cmcGTex() {
    while (m_head != nullptr) {
        Entry* next = m_head->next;
        delete m_head;
        m_head = next;
    }
}

bool cmcGTex::SetLines(std::vector<std::string> lines) {
    if (m_hasSource) {
        return false;
    }
    m_source = std::move(lines);
    m_hasSource = true;
    return true;
}

// Copies the line at `position` into the line buffer, cut to kMaxLine bytes,
// with a line feed when it fitted. False past the end of the source.
bool cmcGTex::ReadLineAt(size_t position) {
    if (position >= m_source.size()) {
        return false;
    }
    const std::string& line = m_source[position];
    if (line.size() <= kMaxLine) {
        m_lineBuffer.assign(line);
        m_lineBuffer += '\n';
    } else {
        m_lineBuffer.assign(line, 0, kMaxLine);
    }
    return true;
}

// One step of the lazy header scan; true when it indexed a new entry.
bool cmcGTex::ScanStep() {
    if (!m_open) {
        if (!m_hasSource) {
            m_scanning = false;
            return false;
        }
        m_open = true;
        m_scanPosition = 0;
    }
    if (!ReadLineAt(m_scanPosition)) {
        m_scanning = false;
        return false;
    }
    ++m_scanPosition;
    if (!IsHeader(m_lineBuffer)) {
        return false;
    }
    auto* entry = new Entry;
    size_t end = m_lineBuffer.find('\n');
    entry->key = m_lineBuffer.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    entry->bodyStart = m_scanPosition;
    entry->cursorPosition = m_scanPosition;
    if (m_tail == nullptr) {
        m_head = entry;
    } else {
        m_tail->next = entry;
    }
    m_tail = entry;
    ++m_count;
    if (entry->key == kEndKey) {
        m_scanning = false;
    }
    return true;
}

cmcGTex::Entry* cmcGTex::FindEntry(const std::string& key) {
    Entry* previous = nullptr;
    size_t passed = 0;
    for (Entry* e = m_head; e != nullptr; previous = e, e = e->next, ++passed) {
        if (e->key != key) {
            continue;
        }
        if (passed > kMoveToFrontAfter) {
            previous->next = e->next;
            if (m_tail == e) {
                m_tail = previous;
            }
            e->next = m_head;
            m_head = e;
        }
        return e;
    }
    while (m_scanning) {
        if (ScanStep() && m_tail->key == key) {
            return m_tail;
        }
    }
    return nullptr;
}

void cmcGTex::Fail(const std::string& key) {
    cmcFatal(cmcFatalCaption::AppTitle,
             cmcStr::Format("GTEX Error !\nThe index '%s' was not found.", key.c_str()));
}

std::string cmcGTex::GetLine(const std::string& key, int n) {
    Entry* e = FindEntry(key);
    if (e == nullptr || n < 0) {
        Fail(key);
    }
    int line = e->cursorLine;
    size_t position = e->cursorPosition;
    if (line > n) {
        line = 0;
        position = e->bodyStart;
    }
    // Lines before n are skipped without being copied.
    position += static_cast<size_t>(n - line);
    if (!ReadLineAt(position)) {
        Fail(key);
    }
    e->cursorLine = n + 1;
    e->cursorPosition = position + 1;
    size_t end = m_lineBuffer.find('\n');
    return end == std::string::npos ? m_lineBuffer : m_lineBuffer.substr(0, end);
}

std::string cmcGTex::GetBody(const std::string& key) {
    Entry* e = FindEntry(key);
    if (e == nullptr) {
        Fail(key);
    }
    std::string body;
    for (size_t position = e->bodyStart; ReadLineAt(position); ++position) {
        if (m_lineBuffer[0] == '#') {
            break;
        }
        if (position != e->bodyStart) {
            body += '\n';
        }
        body.append(m_lineBuffer, 0, m_lineBuffer.find('\n'));
    }
    return body;
}

int cmcGTex::GetNumber(const std::string& key) { return cmcStr::AtoI(GetLine(key, 0)); }

bool cmcGTex::HasKey(const std::string& key) { return FindEntry(key) != nullptr; }

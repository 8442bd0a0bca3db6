#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// The text table: every user-visible text and every description of the user
// interface, looked up by key. Headers are indexed lazily in text order, keys
// found deep in the table move to the front, and each key keeps a read cursor
// so that reading a body front to back costs one line per call.
class cmcGTex {
public:
    cmcGTex();
    ~cmcGTex();
    cmcGTex(const cmcGTex&) = delete;
    cmcGTex& operator=(const cmcGTex&) = delete;

    // Gives the ordered line list (code page 932, without line feeds). Only the
    // first call is accepted.
    bool SetLines(std::vector<std::string> lines);

    // Body line n of the key. A missing key or line is fatal.
    std::string GetLine(const std::string& key, int n);
    // Body lines up to the first line starting with '#', joined with '\n'.
    std::string GetBody(const std::string& key);
    // GetLine(key, 0) converted as a decimal number.
    int GetNumber(const std::string& key);
    // True when the key is in the table; unlike the getters, never fatal.
    bool HasKey(const std::string& key);

private:
    struct Entry;

    Entry* FindEntry(const std::string& key);
    bool ScanStep();
    bool ReadLineAt(size_t position);
    [[noreturn]] void Fail(const std::string& key);

    std::vector<std::string> m_source;
    bool m_hasSource = false;
    bool m_open = false;
    std::string m_lineBuffer;
    size_t m_scanPosition = 0;
    Entry* m_head = nullptr;
    Entry* m_tail = nullptr;
    size_t m_count = 0;
    bool m_scanning = true;
};

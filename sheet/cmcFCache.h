#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sheet/cmcCellContext.h"
#include "text/cmcHash2.h"

struct cmcCellCapsule;

// The choice lists, each built once from its list sheet and kept for the
// life of the program: labels by value for every repaint, and the position
// order for stepping with Space and Backspace. It also holds the text table
// the field codecs read, and the two hooks the window layer fills in.
class cmcFCache {
public:
    struct Entry {
        int32_t line = 0;
        int32_t cell = 0;  // cell number within its line, every cell counted
        int32_t value = 0;
        std::string label;
    };
    struct Record {
        int32_t lineCount = 0;
        int32_t widestRow = 0;
        std::vector<Entry> byValue;
        std::vector<Entry> byPosition;
    };

    // Is an input-method composition under way in the sender's window?
    using ComposingHook = std::function<bool(void* sender)>;
    // Open the choice list pop-up for the capsule with (flex id, current
    // value, list sheet name).
    using OpenListHook =
        std::function<void(cmcCellCapsule& capsule, int32_t flex, int32_t value, const std::string& sheet)>;

    explicit cmcFCache(const cmcCellContext& context);
    ~cmcFCache();
    cmcFCache(const cmcFCache&) = delete;
    cmcFCache& operator=(const cmcFCache&) = delete;

    // The label of the entry with that value, or "error" when the list has
    // none. Builds the record on first use.
    std::string GetLabel(const std::string& sheet, int32_t flex, int32_t value);
    // The value of the neighbouring entry in position order (direction +1 or
    // -1), wrapping around; from a value not in the list, the first entry.
    // False only when no record exists yet for (sheet, flex).
    bool Step(const std::string& sheet, int32_t flex, int32_t value, int32_t direction, int32_t& newValue);
    // The choice cell protocol: returns 1 when `value` changed; `outResult`
    // becomes 1 when the choice list was opened.
    int32_t ChoiceCell(cmcCellCapsule& capsule, const std::string& sheet, int32_t flex, int32_t& value,
                       int32_t& outResult);

    // The record for (sheet, flex), built on first use.
    const Record& GetRecord(const std::string& sheet, int32_t flex);

    cmcGTex& Table() const { return m_context.table; }
    const cmcCellContext& Context() const { return m_context; }

    ComposingHook isComposing;
    OpenListHook openList;

    // The process-wide instance the codecs use; the main controller installs
    // its cache at start. A cache uninstalls itself when destroyed.
    static void Install(cmcFCache* cache);
    // The installed cache; none installed is a programming error.
    static cmcFCache& Global();

private:
    Record* Find(const std::string& sheet, int32_t flex) const;
    Record& Build(const std::string& sheet, int32_t flex);

    cmcCellContext m_context;
    cmcHash2 m_hash;
    std::vector<std::unique_ptr<Record>> m_records;
};

#include "sheet/cmcFCache.h"

#include <algorithm>
#include <string_view>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "text/cmcGTex.h"
#include "util/cmcFatal.h"
#include "util/cmcStr.h"

namespace {

cmcFCache* g_installed = nullptr;

const char kNoLabel[] = "error";

// Every cell of one description line, parsed without a parent.
std::vector<cmcCellObj> ParseLine(const cmcCellContext& context, const std::string& line) {
    std::vector<cmcCellObj> cells;
    cmcCellVars variables{};
    std::string_view rest = line;
    while (!rest.empty()) {
        cmcCellObj cell;
        rest = ParseCell(context, rest, cell, &variables, nullptr);
        cells.push_back(std::move(cell));
    }
    return cells;
}

std::string LabelOf(const cmcCellObj& cell) {
    return cell.argument ? *cell.argument : std::string(cell.DisplayText());
}

// The lists are a handful of entries; a plain exchange sort keeps equal keys
// where they were and needs nothing more.
template <class Key>
void ExchangeSort(std::vector<cmcFCache::Entry>& entries, Key key) {
    for (size_t i = 0; i + 1 < entries.size(); ++i) {
        for (size_t j = i + 1; j < entries.size(); ++j) {
            if (key(entries[j]) < key(entries[i])) {
                std::swap(entries[i], entries[j]);
            }
        }
    }
}

}  // namespace

cmcFCache::cmcFCache(const cmcCellContext& context) : m_context(context), m_hash() {
    m_hash.Create(0);
}

cmcFCache::~cmcFCache() {
    if (g_installed == this) {
        g_installed = nullptr;
    }
}

void cmcFCache::Install(cmcFCache* cache) {
    g_installed = cache;
}

cmcFCache& cmcFCache::Global() {
    if (g_installed == nullptr) {
        cmcFatal(cmcFatalCaption::AppTitle, "No choice list cache.");
    }
    return *g_installed;
}

cmcFCache::Record* cmcFCache::Find(const std::string& sheet, int32_t flex) const {
    const auto* node = m_hash.Find(cmcStr::Format("%s#%d", sheet.c_str(), flex));
    return node == nullptr ? nullptr : static_cast<Record*>(node->value);
}

cmcFCache::Record& cmcFCache::Build(const std::string& sheet, int32_t flex) {
    auto owned = std::make_unique<Record>();
    Record& record = *owned;
    m_records.push_back(std::move(owned));
    m_hash.Add(cmcStr::Format("%s#%d", sheet.c_str(), flex), &record);
    const std::string key = sheet + "_Cells";
    for (int32_t n = 0;; ++n) {
        const std::string line = m_context.table.GetLine(key, n);
        if (!line.empty() && line[0] == '#') {
            record.lineCount = n;
            break;
        }
        const std::vector<cmcCellObj> cells = ParseLine(m_context, line);
        record.widestRow = std::max(record.widestRow, static_cast<int32_t>(cells.size()));
        for (size_t c = 0; c < cells.size(); ++c) {
            if (cells[c].link == flex) {
                record.byValue.push_back({n, static_cast<int32_t>(c), cells[c].index, LabelOf(cells[c])});
            }
        }
    }
    ExchangeSort(record.byValue, [](const Entry& e) { return int64_t{e.value}; });
    record.byPosition = record.byValue;
    const int64_t lines = record.lineCount;
    ExchangeSort(record.byPosition, [lines](const Entry& e) { return e.line + e.cell * lines; });
    return record;
}

const cmcFCache::Record& cmcFCache::GetRecord(const std::string& sheet, int32_t flex) {
    Record* record = Find(sheet, flex);
    return record != nullptr ? *record : Build(sheet, flex);
}

std::string cmcFCache::GetLabel(const std::string& sheet, int32_t flex, int32_t value) {
    const std::vector<Entry>& entries = GetRecord(sheet, flex).byValue;
    auto it = std::lower_bound(entries.begin(), entries.end(), value,
                               [](const Entry& e, int32_t v) { return e.value < v; });
    return it != entries.end() && it->value == value ? it->label : std::string(kNoLabel);
}

bool cmcFCache::Step(const std::string& sheet, int32_t flex, int32_t value, int32_t direction,
                     int32_t& newValue) {
    const Record* record = Find(sheet, flex);
    if (record == nullptr || record->byPosition.empty()) {
        newValue = value;
        return false;
    }
    const std::vector<Entry>& entries = record->byPosition;
    const int32_t count = static_cast<int32_t>(entries.size());
    auto it = std::find_if(entries.begin(), entries.end(), [value](const Entry& e) { return e.value == value; });
    if (it == entries.end()) {
        newValue = entries.front().value;
        return true;
    }
    int32_t p = static_cast<int32_t>(it - entries.begin()) + direction;
    if (p >= count) {
        p = 0;
    } else if (p < 0) {
        p = count - 1;
    }
    newValue = entries[p].value;
    return true;
}

int32_t cmcFCache::ChoiceCell(cmcCellCapsule& capsule, const std::string& sheet, int32_t flex, int32_t& value,
                              int32_t& outResult) {
    outResult = 0;
    if (capsule.parent != nullptr && capsule.parent->cell != nullptr && capsule.parent->cell->link == flex) {
        const int32_t chosen = capsule.parent->cell->index;
        if (capsule.origin == cmcCellCapsule::kOriginChoice && chosen != value) {
            value = chosen;
            return 1;
        }
        return 0;
    }
    capsule.outText = GetLabel(sheet, flex, value);
    if (capsule.editHost == nullptr) {
        return 0;
    }
    const int32_t request = capsule.request;
    if (request == cmcCellCapsule::kRequestSpace || request == cmcCellCapsule::kRequestBackspace) {
        int32_t stepped = value;
        const int32_t direction = request == cmcCellCapsule::kRequestSpace ? 1 : -1;
        if (Step(sheet, flex, value, direction, stepped) && stepped != value) {
            value = stepped;
            capsule.outText = GetLabel(sheet, flex, value);
            return 1;
        }
        return 0;
    }
    if (request == cmcCellCapsule::kRequestEnter || request == cmcCellCapsule::kRequestClick) {
        if (openList) {
            openList(capsule, flex, value, sheet);
        }
        outResult = 1;
    }
    return 0;
}

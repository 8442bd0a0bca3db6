#include "model/indActiveCellCodec.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace indActiveCellCodec {

namespace {

constexpr size_t kNumberDigits = 9;

bool IsControl(uint8_t c) {
    return c < 32 || c == 127;
}
bool IsLead(uint8_t c) {
    return (c >= 129 && c <= 159) || (c >= 224 && c <= 239);
}
bool IsTrail(uint8_t c) {
    return (c >= 64 && c <= 126) || (c >= 128 && c <= 252);
}
bool IsHalfKana(int32_t c) {
    return c >= 161 && c <= 223;
}

void SelectAll(cmcCellCapsule& request) {
    request.caretPosition = 0;
    request.selectionLength = static_cast<int32_t>(request.outText.size());
}

// The editor starts with the typed character alone, caret after it.
void StartTyped(cmcCellCapsule& request) {
    request.outText = std::string(1, static_cast<char>(request.request));
    request.caretPosition = 1;
    request.selectionLength = 0;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool CommitNumber(const std::string& text, int32_t& value, int32_t min, int32_t max) {
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
    if (text.empty() || kept != text) {
        return false;  // any other character rejects the whole commit
    }
    double number = std::strtod(kept.substr(0, kNumberDigits).c_str(), nullptr);
    double rounded = std::round(number);
    value = static_cast<int32_t>(
        std::clamp(rounded, static_cast<double>(min), static_cast<double>(max)));
    return true;
}

void CleanText(uint8_t* buffer, int32_t n, uint8_t pad) {
    for (int32_t i = 0; i < n; ++i) {
        uint8_t c = buffer[i];
        if (c != 0 && IsControl(c)) {
            buffer[i] = ' ';
        } else if (i == n - 1 && IsLead(c)) {
            buffer[i] = pad;  // a double-byte character may not be cut in half
        } else if (IsLead(c) && IsTrail(buffer[i + 1])) {
            ++i;
        }
    }
}

}  // namespace

int NumberField(cmcCellCapsule& request, int32_t& value, int32_t min, int32_t max, int& outResult) {
    int changed = 0;
    if (request.origin == cmcCellCapsule::kOriginEditor) {
        changed = CommitNumber(request.inText, value, min, max) ? 1 : 0;
    }
    request.outText = cmcStr::Format("%d", value);
    SelectAll(request);
    if (request.editHost == nullptr || request.origin != cmcCellCapsule::kOriginPlain) {
        return changed;
    }
    int32_t key = request.request;
    if (key == cmcCellCapsule::kRequestSpace || key == cmcCellCapsule::kRequestBackspace) {
        int64_t next =
            static_cast<int64_t>(value) + (key == cmcCellCapsule::kRequestSpace ? 1 : -1);
        value = next < min ? max : next > max ? min : static_cast<int32_t>(next);
        request.outText = cmcStr::Format("%d", value);
        SelectAll(request);
        return 1;
    }
    bool opens = key == cmcCellCapsule::kRequestEnter || (key >= '0' && key <= '9') || key == 'o' ||
                 key == 'O' || key == '-';
    if (!opens) {
        return changed;
    }
    outResult = 2;
    if (key == cmcCellCapsule::kRequestEnter) {
        request.outText = Trimmed(request.outText);
        SelectAll(request);
    } else {
        StartTyped(request);
    }
    return changed;
}

int TextField(cmcCellCapsule& request, uint8_t* buffer, int32_t n, bool padZero, int& outResult) {
    uint8_t pad = padZero ? 0 : ' ';
    int changed = 0;
    if (request.origin == cmcCellCapsule::kOriginEditor) {
        const std::string& text = request.inText;
        for (int32_t i = 0; i < n; ++i) {
            buffer[i] = static_cast<size_t>(i) < text.size()
                            ? static_cast<uint8_t>(text[static_cast<size_t>(i)])
                            : pad;
        }
        changed = 1;
    }
    CleanText(buffer, n, pad);
    const uint8_t* end = std::find(buffer, buffer + n, 0);
    request.outText.assign(reinterpret_cast<const char*>(buffer),
                           static_cast<size_t>(end - buffer));
    SelectAll(request);
    if (request.editHost == nullptr || request.origin != cmcCellCapsule::kOriginPlain) {
        return changed;
    }
    int32_t key = request.request;
    bool enter = key == cmcCellCapsule::kRequestEnter || key == cmcCellCapsule::kRequestSpace ||
                 key == cmcCellCapsule::kRequestBackspace;
    if (enter) {
        outResult = 2;
    } else if ((key > 32 && key <= 126) || IsHalfKana(key)) {
        outResult = 2;
        StartTyped(request);
    }
    return changed;
}

std::vector<ChoiceEntry> ChoiceEntries(cmcGTex& table, const cmcCellNames& names,
                                       const std::string& sheet, int32_t flex) {
    std::string body = table.GetBody(sheet + "_Cells");
    cmcCellContext context{table, names};
    std::vector<std::tuple<int32_t, int32_t, ChoiceEntry>> found;  // column, line, entry
    int32_t line = 0;
    for (size_t start = 0; start <= body.size(); ++line) {
        size_t end = body.find('\n', start);
        std::string_view rest = std::string_view(body).substr(
            start, end == std::string::npos ? std::string::npos : end - start);
        cmcCellVars variables{};
        for (int32_t column = 0; !rest.empty(); ++column) {
            cmcCellObj cell;
            rest = ParseCell(context, rest, cell, &variables, nullptr);
            if (cell.link == flex) {
                std::string label =
                    cell.argument ? *cell.argument : std::string(cell.DisplayText());
                found.emplace_back(column, line, ChoiceEntry{cell.index, label});
            }
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::vector<ChoiceEntry> entries;
    for (auto& f : found) {
        entries.push_back(std::get<2>(f));
    }
    return entries;
}

int ChoiceField(cmcCellCapsule& request, const std::vector<ChoiceEntry>& entries, int32_t flex,
                int32_t& value, int& outResult) {
    if (request.parent != nullptr && request.parent->cell != nullptr &&
        request.parent->cell->link == flex) {
        int32_t chosen = request.parent->cell->index;
        if (request.origin == cmcCellCapsule::kOriginChoice && chosen != value) {
            value = chosen;
            return 1;
        }
        return 0;
    }
    auto at = std::find_if(entries.begin(), entries.end(),
                           [value](const ChoiceEntry& e) { return e.value == value; });
    int changed = 0;
    if (request.editHost != nullptr && !entries.empty() &&
        (request.request == cmcCellCapsule::kRequestSpace ||
         request.request == cmcCellCapsule::kRequestBackspace)) {
        int32_t count = static_cast<int32_t>(entries.size());
        int32_t next = 0;
        if (at != entries.end()) {
            int32_t step = request.request == cmcCellCapsule::kRequestSpace ? 1 : -1;
            next = (static_cast<int32_t>(at - entries.begin()) + step + count) % count;
        }
        value = entries[static_cast<size_t>(next)].value;
        at = entries.begin() + next;
        changed = 1;
    } else if (request.editHost != nullptr && request.request == cmcCellCapsule::kRequestEnter) {
        outResult = 1;
    }
    request.outText = at != entries.end() ? at->label : std::string("error");
    return changed;
}

}  // namespace indActiveCellCodec

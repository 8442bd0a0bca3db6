#include "model/cmcFieldCodec.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "model/cmcHalfKana.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcFCache.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace {

constexpr uint8_t kBlank = 32;
constexpr uint8_t kUserLead = 240;  // a user-defined character is 240, 64 + n
constexpr uint8_t kUserFirst = 64;
constexpr uint8_t kUserLast = 79;
constexpr int kNumberDigits = 9;

bool IsControl(uint8_t b) {
    return (b < 32 && b != 0) || b == 127;
}
// The codecs' own lead byte class; 240 is left out on purpose, so that a
// user-defined character passes a text field as two single bytes.
bool IsLead(uint8_t b) {
    return (b >= 129 && b <= 159) || (b >= 224 && b <= 239);
}
bool IsTrail(uint8_t b) {
    return (b >= 64 && b <= 126) || (b >= 128 && b <= 252);
}
bool IsPrintableKey(int32_t key) {
    return key >= 32 && key <= 126;
}
bool IsKanaKey(int32_t key) {
    return key >= cmcHalfKana::kFirst && key <= cmcHalfKana::kLast;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUserChar(const uint8_t* buffer, int32_t i, int32_t n) {
    return buffer[i] == kUserLead && i + 1 < n && buffer[i + 1] >= kUserFirst && buffer[i + 1] <= kUserLast;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void SelectAll(cmcCellCapsule& request) {
    request.caretPosition = 0;
    request.selectionLength = static_cast<int32_t>(request.outText.size());
}

// The editor opens on one typed character, caret after it.
void OpenOnKey(cmcCellCapsule& request, int32_t key, int32_t& outResult) {
    request.outText = std::string(1, static_cast<char>(key));
    request.caretPosition = 1;
    request.selectionLength = 0;
    outResult = cmcFieldCodec::kResultOpenEditor;
}

// ---- numbers

// Null when the text is not a plain signed decimal number.
bool ParseNumber(const std::string& text, int32_t min, int32_t max, int32_t& value) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!IsDigit(c) && c != '-') {
            return false;
        }
    }
    const std::string head = text.substr(0, kNumberDigits);
    const double number = std::round(std::strtod(head.c_str(), nullptr));
    value = static_cast<int32_t>(std::fmax(min, std::fmin(max, number)));
    return true;
}

std::string NumberText(int32_t value, int32_t offLabel) {
    if (offLabel == 0 || value != 0) {
        return cmcStr::Format("%d", value);
    }
    return cmcFCache::Global().Table().GetLine("GI_AppInd_DigitOff", offLabel - 1);
}

int32_t Wrapped(int64_t value, int32_t min, int32_t max) {
    if (value < min) {
        return max;
    }
    return value > max ? min : static_cast<int32_t>(value);
}

// ---- text

void CopyCommitted(const std::string& text, uint8_t* buffer, int32_t n, uint8_t pad) {
    for (int32_t i = 0; i < n; ++i) {
        buffer[i] = static_cast<size_t>(i) < text.size() ? static_cast<uint8_t>(text[i]) : pad;
    }
}

void CleanText(uint8_t* buffer, int32_t n, uint8_t pad) {
    int32_t i = 0;
    while (i < n) {
        if (IsControl(buffer[i])) {
            buffer[i] = kBlank;
        }
        if (IsLead(buffer[i])) {
            if (i == n - 1) {
                buffer[i] = pad;  // never keep half of a double-byte character
            } else if (IsTrail(buffer[i + 1])) {
                i += 2;
                continue;
            }
        }
        ++i;
    }
}

std::string BufferText(const uint8_t* buffer, int32_t n) {
    int32_t length = 0;
    while (length < n && buffer[length] != 0) {
        ++length;
    }
    return std::string(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
}

void ShiftLeft(uint8_t* buffer, int32_t from, int32_t n, uint8_t pad) {
    for (int32_t j = from; j + 1 < n; ++j) {
        buffer[j] = buffer[j + 1];
    }
    buffer[n - 1] = pad;
}

void PutWide(uint8_t* buffer, int32_t i, uint16_t wide) {
    buffer[i] = static_cast<uint8_t>(wide >> 8);
    buffer[i + 1] = static_cast<uint8_t>(wide & 0xFF);
}

// One single half-width katakana at i < n - 1 to full width: the bytes after
// it move one place right and the last one is lost.
void WidenSingle(uint8_t* buffer, int32_t i, int32_t n) {
    const uint16_t wide = cmcHalfKana::FullWidth(buffer[i]);
    for (int32_t j = n - 1; j > i + 1; --j) {
        buffer[j] = buffer[j - 1];
    }
    PutWide(buffer, i, wide);
}

// The bytes examined at i are consumed; returns how many.
int32_t CleanNameAt(uint8_t* buffer, int32_t i, int32_t n, uint8_t pad) {
    uint8_t& b = buffer[i];
    if (IsControl(b)) {
        b = kBlank;
        return 1;
    }
    if (cmcHalfKana::IsHalfKana(b)) {
        if (i == n - 1) {
            b = kBlank;
            return 1;
        }
        if (cmcHalfKana::IsMark(b)) {
            ShiftLeft(buffer, i, n, pad);
            return 0;
        }
        const uint16_t pair = cmcHalfKana::FullWidthPair(b, buffer[i + 1]);
        if (pair != 0) {
            PutWide(buffer, i, pair);
        } else {
            WidenSingle(buffer, i, n);
        }
        return 2;
    }
    if (b > 127) {
        if (i == n - 1) {
            b = 0;
            return 1;
        }
        return 2;
    }
    return 1;
}

void CleanName(uint8_t* buffer, int32_t n, uint8_t pad) {
    int32_t i = 0;
    int32_t removed = 0;
    // A removed mark re-examines the same place; the marks run out after n.
    while (i < n && removed <= n) {
        const int32_t used = CleanNameAt(buffer, i, n, pad);
        removed += used == 0 ? 1 : 0;
        i += used;
    }
}


// "%U0h" to the two bytes of user-defined character h.
std::string DecodeUserChars(const std::string& text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '%' && i + 4 <= text.size() && text[i + 1] == 'U' && text[i + 2] == '0' &&
            cmcStr::HexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(kUserLead);
            out += static_cast<char>(kUserFirst + cmcStr::HexDigit(text[i + 3]));
            i += 4;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The buffer with each user-defined character written as `format` of its n.
std::string UserCharText(const uint8_t* buffer, int32_t n, const char* format) {
    std::string out;
    int32_t i = 0;
    while (i < n && buffer[i] != 0) {
        if (IsUserChar(buffer, i, n)) {
            out += cmcStr::Format(format, buffer[i + 1] - kUserFirst);
            i += 2;
        } else {
            out += static_cast<char>(buffer[i++]);
        }
    }
    return out;
}

// The keys of the text and name fields; `editorText` is what Enter opens.
void TextKeys(cmcCellCapsule& request, const std::string& editorText, bool kanaStarts, int32_t& outResult) {
    const int32_t key = request.request;
    if (key == cmcCellCapsule::kRequestEnter || key == cmcCellCapsule::kRequestSpace ||
        key == cmcCellCapsule::kRequestBackspace) {
        request.outText = editorText;
        SelectAll(request);
        outResult = cmcFieldCodec::kResultOpenEditor;
    } else if (IsPrintableKey(key) || (kanaStarts && IsKanaKey(key))) {
        OpenOnKey(request, key, outResult);
    } else if (key == cmcCellCapsule::kRequestInputMethod) {
        const cmcFCache& cache = cmcFCache::Global();
        if (cache.isComposing && cache.isComposing(request.sender)) {
            request.outText.clear();
            request.caretPosition = 0;
            request.selectionLength = 0;
            outResult = cmcFieldCodec::kResultOpenEditor;
        }
    }
}

bool IsCommit(const cmcCellCapsule& request) {
    return request.origin == cmcCellCapsule::kOriginEditor;
}

}  // namespace

int32_t cmcFieldCodec::NumberField(cmcCellCapsule& request, int32_t& value, int32_t min, int32_t max,
                                   int32_t offLabel, int32_t& outResult) {
    outResult = kResultNone;
    int32_t changed = 0;
    if (IsCommit(request)) {
        const std::string& text = request.inText;
        if (text == "OFF" || text == "off") {
            if (offLabel == 1) {
                value = 0;
                changed = 1;
            }
        } else if (ParseNumber(text, min, max, value)) {
            changed = 1;
        }
        request.outText = NumberText(value, offLabel);
        SelectAll(request);
        return changed;
    }
    request.outText = NumberText(value, offLabel);
    SelectAll(request);
    if (request.editHost == nullptr) {
        return 0;
    }
    const int32_t key = request.request;
    if (key == cmcCellCapsule::kRequestSpace || key == cmcCellCapsule::kRequestBackspace) {
        value = Wrapped(int64_t{value} + (key == cmcCellCapsule::kRequestSpace ? 1 : -1), min, max);
        request.outText = NumberText(value, offLabel);
        SelectAll(request);
        return 1;
    }
    if (key == cmcCellCapsule::kRequestEnter) {
        request.outText = offLabel != 0 && value == 0 ? std::string("0") : Trim(request.outText);
        SelectAll(request);
        outResult = kResultOpenEditor;
    } else if ((key >= '0' && key <= '9') || key == 'o' || key == 'O' || key == '-') {
        OpenOnKey(request, key, outResult);
    }
    return 0;
}

int32_t cmcFieldCodec::TextField(cmcCellCapsule& request, uint8_t* buffer, int32_t n, bool padZero,
                                 int32_t& outResult) {
    outResult = kResultNone;
    const uint8_t pad = padZero ? 0 : kBlank;
    const bool commit = IsCommit(request);
    if (commit) {
        CopyCommitted(request.inText, buffer, n, pad);
    }
    CleanText(buffer, n, pad);
    request.outText = BufferText(buffer, n);
    SelectAll(request);
    if (!commit && request.editHost != nullptr) {
        TextKeys(request, request.outText, true, outResult);
    }
    return commit ? 1 : 0;
}

int32_t cmcFieldCodec::NameField(cmcCellCapsule& request, uint8_t* buffer, int32_t n, bool padZero,
                                 bool userChars, int32_t& outResult) {
    outResult = kResultNone;
    const uint8_t pad = padZero ? 0 : kBlank;
    const bool commit = IsCommit(request);
    if (commit) {
        CopyCommitted(userChars ? DecodeUserChars(request.inText) : request.inText, buffer, n, pad);
    }
    CleanName(buffer, n, pad);
    request.outText = userChars ? UserCharText(buffer, n, " U%02X ") : BufferText(buffer, n);
    SelectAll(request);
    if (!commit && request.editHost != nullptr) {
        const std::string editorText = userChars ? UserCharText(buffer, n, "%%U%02X") : request.outText;
        TextKeys(request, editorText, false, outResult);
    }
    return commit ? 1 : 0;
}

int32_t cmcFieldCodec::ChoiceField(cmcCellCapsule& request, const std::string& sheet, int32_t flex,
                                   int32_t& value, int32_t& outResult) {
    return cmcFCache::Global().ChoiceCell(request, sheet, flex, value, outResult);
}

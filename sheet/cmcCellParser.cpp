#include "sheet/cmcCellParser.h"

#include <algorithm>
#include <optional>

#include "sheet/cmcCellNames.h"
#include "text/cmcGTex.h"
#include "util/Cp932.h"
#include "util/cmcFatal.h"
#include "util/cmcStr.h"

namespace {

constexpr size_t npos = std::string_view::npos;
// A variable expression's value is written with at most this many characters.
constexpr size_t kMaxExpressionText = 6;

// Flags that set a bit, or clear it after '!'.
struct BitFlag {
    char flag;
    bool cmcCellObj::*field;
};
constexpr BitFlag kBitFlags[] = {
    {'W', &cmcCellObj::fitWidth}, {'H', &cmcCellObj::fitHeight},  {'B', &cmcCellObj::bottomLine},
    {'+', &cmcCellObj::joinLeft}, {'S', &cmcCellObj::selectable}, {'M', &cmcCellObj::multiLine},
    {'T', &cmcCellObj::tip},
};

// Alignment flags; '!' does nothing to them.
struct AlignFlag {
    char flag;
    uint8_t cmcCellObj::*field;
    uint8_t value;
};
constexpr AlignFlag kAlignFlags[] = {
    {'<', &cmcCellObj::hAlign, 0}, {'^', &cmcCellObj::hAlign, 1}, {'>', &cmcCellObj::hAlign, 2},
    {'~', &cmcCellObj::vAlign, 0}, {'-', &cmcCellObj::vAlign, 1}, {'_', &cmcCellObj::vAlign, 2},
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Up to `end`, or all of the text when `end` is npos.
std::string_view Before(std::string_view text, size_t from, size_t end) {
    return text.substr(from, end == npos ? npos : end - from);
}

// The text after the first '=', or none when the item has no '='.
std::optional<std::string_view> AfterEquals(std::string_view item) {
    size_t at = Cp932::Find(item, '=');
    if (at == npos) {
        return std::nullopt;
    }
    return item.substr(at + 1);
}

// True when the character just before byte `at` is a single-byte '\'.
bool PrecededByEscape(std::string_view text, size_t at) {
    bool escape = false;
    for (size_t i = 0; i < at; i += Cp932::CharLength(text, i)) {
        escape = Cp932::CharLength(text, i) == 1 && text[i] == '\\';
    }
    return escape;
}

// Drops every single-byte '\' and keeps the character after it.
std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t length = Cp932::CharLength(text, i);
        if (length == 1 && text[i] == '\\') {
            ++i;
            if (i == text.size()) {
                break;
            }
            length = Cp932::CharLength(text, i);
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string_view TrimControls(std::string_view text) {
    auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

cmcCellParser::cmcCellParser(const cmcCellContext& context, cmcCellObj& object)
    : m_context(context), m_object(object) {}

void cmcCellParser::ParseBlock(std::string_view block) {
    bool negate = false;
    size_t i = 0;
    while (i < block.size()) {
        // '!' negates exactly the one byte after it, whatever that byte is.
        const bool negated = negate;
        negate = false;
        const size_t length = Cp932::CharLength(block, i);
        const char c = block[i];
        if (length == 2) {
            i += 2;
        } else if (c == '\\') {
            ++i;
            if (i < block.size()) {
                i += Cp932::CharLength(block, i);
            }
        } else if (c == '(') {
            size_t end = Cp932::FindUnescaped(block, ')', i + 1);
            ParseItem(Before(block, i + 1, end));
            i = end == npos ? block.size() : end + 1;
        } else {
            ApplyFlag(c, negated);
            negate = c == '!';
            ++i;
        }
    }
}

void cmcCellParser::ApplyFlag(char flag, bool negated) {
    for (const BitFlag& f : kBitFlags) {
        if (f.flag == flag) {
            m_object.*f.field = !negated;
            return;
        }
    }
    for (const AlignFlag& f : kAlignFlags) {
        if (f.flag == flag) {
            m_object.*f.field = f.value;
            return;
        }
    }
}

void cmcCellParser::ParseItem(std::string_view item) {
    if (item.starts_with('$')) {
        ParseModel(item.substr(1));
    } else if (item.starts_with("Color")) {
        if (auto value = AfterEquals(item)) {
            ParseColor(*value, m_object.color);
        }
    } else if (item.starts_with("Font")) {
        ParseFontItem(item);
    } else if (item.starts_with('%')) {
        ParseLink(item.substr(1));
    } else if (item.starts_with('@')) {
        ParseAssignment(item);
    } else if (item.starts_with("ImageIndex")) {
        if (auto value = AfterEquals(item)) {
            m_object.imageIndex = cmcStr::AtoI(*value);
        }
    } else if (item.starts_with("PopupMenu")) {
        if (auto value = AfterEquals(item)) {
            m_object.popupMenu = std::string(*value);
        }
    } else if (item.starts_with("Flag")) {
        ParseUserFlag(item);
    }
}

void cmcCellParser::ParseModel(std::string_view name) {
    std::string key = "CellModel_" + std::string(name);
    if (std::find(m_models.begin(), m_models.end(), key) != m_models.end()) {
        cmcFatal(cmcFatalCaption::AppTitle, cmcStr::Format("Cyclic cell model '%s'.", key.c_str()));
    }
    const std::string model = m_context.table.GetLine(key, 0);
    m_models.push_back(std::move(key));
    ParseBlock(model);
    m_models.pop_back();
}

void cmcCellParser::ParseFontItem(std::string_view item) {
    auto value = AfterEquals(item);
    if (!value) {
        return;
    }
    if (!m_object.font) {
        const cmcCellObj* parent = m_object.parent;
        m_object.font = parent != nullptr && parent->font ? *parent->font : cmcFont{};
    }
    ParseFont(*value, *m_object.font);
}

// "[category.]link[[index]][:argument]", the '%' already taken off.
void cmcCellParser::ParseLink(std::string_view text) {
    size_t dot = Cp932::Find(text, '.');
    if (dot != npos && !PrecededByEscape(text, dot)) {
        m_object.category = m_context.names.CategoryId(text.substr(0, dot));
        text.remove_prefix(dot + 1);
    }
    size_t end = std::min(Cp932::Find(text, '['), Cp932::Find(text, ':'));
    m_object.link = m_context.names.LinkId(Before(text, 0, end));
    if (end == npos) {
        return;
    }
    std::string_view rest = text.substr(end);
    if (rest.front() == '[') {
        size_t close = Cp932::Find(rest, ']');
        std::string_view index = SkipBlanks(Before(rest, 1, close));
        m_object.index = index.starts_with('@') ? Variable(index) : cmcStr::AtoI(index);
        rest = close == npos ? std::string_view() : rest.substr(close + 1);
    }
    if (rest.starts_with(':')) {
        m_object.argument = Unescape(rest.substr(1));
    }
}

void cmcCellParser::ParseAssignment(std::string_view item) {
    std::string_view rest;
    int32_t& variable = Variable(item, &rest);
    rest = SkipBlanks(rest);
    if (rest.starts_with("++")) {
        variable = static_cast<int32_t>(static_cast<uint32_t>(variable) + 1u);
    } else if (rest.starts_with('=')) {
        variable = cmcStr::AtoI(rest.substr(1));
    }
}

// "FlagN=0" or "FlagN=1" with N from 0 to 8; anything else is ignored.
void cmcCellParser::ParseUserFlag(std::string_view item) {
    if (item.size() < 7 || item[5] != '=') {
        return;
    }
    const char digit = item[4];
    const char value = item[6];
    if (digit < '0' || digit > '8' || (value != '0' && value != '1')) {
        return;
    }
    const auto bit = static_cast<uint16_t>(1u << (digit - '0'));
    if (value == '1') {
        m_object.userFlags |= bit;
    } else {
        m_object.userFlags &= static_cast<uint16_t>(~bit);
    }
}

int32_t& cmcCellParser::Variable(std::string_view reference, std::string_view* rest) {
    const bool wellFormed = reference.size() >= 4 && reference.starts_with("@ch") &&
                            IsDigit(reference[3]) &&
                            (reference.size() == 4 || !IsDigit(reference[4]));
    if (!wellFormed || m_object.variables == nullptr) {
        cmcFatal(cmcFatalCaption::AppTitle, "Ch No. Error");
    }
    if (rest != nullptr) {
        *rest = reference.substr(4);
    }
    return (*m_object.variables)[static_cast<size_t>(reference[3] - '0')];
}

void cmcCellParser::ParseDisplay(std::string_view display) {
    display = TrimControls(display);
    std::string out;
    size_t i = 0;
    while (i < display.size()) {
        size_t length = Cp932::CharLength(display, i);
        if (length == 2 || display[i] != '\\') {
            out.append(display.substr(i, length));
            i += length;
            continue;
        }
        ++i;
        if (i == display.size()) {
            break;  // a '\' at the very end escapes nothing
        }
        length = Cp932::CharLength(display, i);
        const char c = length == 1 ? display[i] : '\0';
        if (c == 'n' || c == 'N') {
            out += '\n';
        } else if (c == '_') {
            out += ' ';
        } else if (c == '(') {
            size_t close = Cp932::Find(display, ')', i + 1);
            out += VariableExpression(Before(display, i + 1, close));
            length = (close == npos ? display.size() : close + 1) - i;
        } else {
            out.append(display.substr(i, length));
        }
        i += length;
    }
    if (out.empty()) {
        m_object.text.reset();
    } else {
        m_object.text = std::move(out);
    }
}

// "@chN", optionally followed by '+' and a number: the variable plus that
// number, in decimal.
std::string cmcCellParser::VariableExpression(std::string_view expression) {
    std::string_view rest;
    int64_t value = Variable(expression, &rest);
    rest = SkipBlanks(rest);
    if (rest.starts_with('+')) {
        value += cmcStr::AtoI(rest.substr(1));
    }
    return std::to_string(value).substr(0, kMaxExpressionText);
}

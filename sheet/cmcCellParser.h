#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"

// Fills one cmcCellObj from the two halves of a cell text: the block text (the
// contents of the braces, and of cell models) and the display text. Used by
// ParseCell for one cell at a time.
class cmcCellParser {
public:
    cmcCellParser(const cmcCellContext& context, cmcCellObj& object);

    // Flags, items and model references, left to right.
    void ParseBlock(std::string_view block);
    // The display text: trimmed, escapes processed; an empty result leaves none.
    void ParseDisplay(std::string_view display);

private:
    void ApplyFlag(char flag, bool negated);
    void ParseItem(std::string_view item);
    void ParseModel(std::string_view name);
    void ParseFontItem(std::string_view item);
    void ParseLink(std::string_view item);
    void ParseAssignment(std::string_view item);
    void ParseUserFlag(std::string_view item);
    std::string VariableExpression(std::string_view expression);
    // The variable that `reference` ("@ch" and one digit) names; `rest` gets
    // what follows the digit. A bad reference, or one without variables, is
    // fatal.
    int32_t& Variable(std::string_view reference, std::string_view* rest = nullptr);

    const cmcCellContext& m_context;
    cmcCellObj& m_object;
    // Models being expanded, innermost last: a model met again while it is
    // still being expanded refers to itself.
    std::vector<std::string> m_models;
};

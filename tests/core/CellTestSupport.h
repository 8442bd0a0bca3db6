#pragma once
// Helpers for the cell language tests: code page 932 text from UTF-8 test
// literals, a text table holding this radio's cell models, and a one-line
// rendering of a parsed cell that names only what differs from a fresh one.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/indLinkNames.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"
#include "text/cmcGTex.h"
#include "util/Cp932.h"
#include "util/cmcStr.h"

namespace celltest {

// A UTF-8 test literal in code page 932.
inline std::string Sj(const std::string& utf8) {
    std::optional<std::string> cp932 = Cp932::FromUtf8(utf8);
    EXPECT_TRUE(cp932.has_value()) << utf8;
    return cp932.value_or("");
}

// The cell models this radio's descriptions name, word for word.
inline std::vector<std::string> RadioCellModels() {
    const char* const models[][2] = {
        {"Basic",
         "<-(Color=clWindow)(Font=DEFAULT_CHARSET,ＭＳ Ｐゴシック,clWindowText,-17,,,)"
         "(PopupMenu=GI_PMenu_Edit)"},
        {"BasicTree",
         "<-(Color=clWindow)(Font=DEFAULT_CHARSET,ＭＳ Ｐゴシック,clWindowText,-12,,,)"},
        {"bMn", "<~WH(Color=clMenu)(PopupMenu=)"},
        {"ciInd", ">~WHB(Font=,,clTeal,16,,fsBold,)"},
        {"ciDat", "<~WHB(Font=,,,16,,,)"},
        {"eWh", "S<_WHB(Font=,,clWindowText,,,,)"},
        {"emWh", "S^_WHB(Font=,,clWindowText,,,,)"},
        {"iCG", "<_WH(Color=clGreen)(Font=,,clWhite,,,fsBold,)"},
        {"iCL", "<_WH(Color=clGray)(Font=,,clWhite,,,fsBold,)"},
        {"iChN", ">-WHB(Color=clOlive)(Font=,,clWhite,,,fsBold,)"},
        {"iChI", "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)"},
        {"iChIW", "^-WH(Color=clWhite)(Font=,,clBlack,,,fsBold,)"},
        {"iChGG", "<_H(Color=clGray)(Font=,,clWhite,,,fsBold,)"},
        {"iSp", "(Color=clGray)"},
    };
    std::vector<std::string> lines;
    for (const auto& model : models) {
        lines.push_back(std::string("#CellModel_") + model[0]);
        lines.push_back(Sj(model[1]));
    }
    return lines;
}

// A text table with the radio's cell models and `extra` lines (code page 932).
inline std::vector<std::string> TableWith(const std::vector<std::string>& extra) {
    std::vector<std::string> lines = {"#Start_Of_Ovl\t//Never delete this line. ",
                                      "#GI_Sys_AppTitle", "MX-R77C"};
    for (const std::vector<std::string>& part : {RadioCellModels(), extra}) {
        lines.insert(lines.end(), part.begin(), part.end());
    }
    lines.push_back("#End_Of_Ovl");
    return lines;
}

inline std::string DescribeFont(const cmcFont& f) {
    const cmcFont fresh;
    std::string out = "font{";
    auto add = [&out](const std::string& item) { out += out.back() == '{' ? item : " " + item; };
    if (f.charset != fresh.charset)
        add(cmcStr::Format("cs=%d", f.charset));
    if (f.name != fresh.name)
        add("'" + Cp932::ToUtf8(f.name) + "'");
    if (f.color != fresh.color)
        add(cmcStr::Format("color=%08X", f.color));
    if (f.height != fresh.height)
        add(cmcStr::Format("h=%d", f.height));
    if (f.size != fresh.size)
        add(cmcStr::Format("pt=%d", f.size));
    if (f.style != fresh.style) {
        std::string styles;
        const char* names[] = {"bold", "italic", "underline", "strike"};
        for (int bit = 0; bit < 4; ++bit) {
            if ((f.style & (1 << bit)) != 0) {
                styles += styles.empty() ? names[bit] : std::string("+") + names[bit];
            }
        }
        add(styles.empty() ? "plain" : styles);
    }
    if (f.pitch != fresh.pitch)
        add(cmcStr::Format("pitch=%d", static_cast<int>(f.pitch)));
    return out + "}";
}

inline std::string IdName(std::string_view name, int32_t id) {
    return name.empty() ? std::to_string(id) : std::string(name);
}

// The fields of `o` that differ from a fresh object, in a fixed order.
inline std::string Describe(const cmcCellObj& o) {
    const cmcCellObj fresh;
    std::vector<std::string> items;
    const std::pair<bool, const char*> flags[] = {
        {o.fitWidth, "W"},   {o.fitHeight, "H"}, {o.bottomLine, "B"}, {o.joinLeft, "+"},
        {o.selectable, "S"}, {o.multiLine, "M"}, {o.tip, "T"},
    };
    for (const auto& [set, name] : flags) {
        if (set)
            items.push_back(name);
    }
    const char* hNames[] = {"left", "centre", "right", "?"};
    const char* vNames[] = {"top", "middle", "bottom", "?"};
    if (o.hAlign != 0)
        items.push_back(std::string("h=") + hNames[o.hAlign & 3]);
    if (o.vAlign != 0)
        items.push_back(std::string("v=") + vNames[o.vAlign & 3]);
    if (o.userFlags != 0)
        items.push_back(cmcStr::Format("flags=%03X", o.userFlags));
    if (o.color != fresh.color)
        items.push_back(cmcStr::Format("color=%08X", o.color));
    if (o.imageIndex != fresh.imageIndex)
        items.push_back(cmcStr::Format("img=%d", o.imageIndex));
    if (o.category != fresh.category) {
        items.push_back("cat=" + IdName(indLinkNames::CategoryName(o.category), o.category));
    }
    if (o.link != fresh.link) {
        items.push_back("link=" + IdName(indLinkNames::LinkName(o.link), o.link));
    }
    if (o.index != 0)
        items.push_back(cmcStr::Format("idx=%d", o.index));
    if (o.argument)
        items.push_back("arg='" + Cp932::ToUtf8(*o.argument) + "'");
    if (o.popupMenu)
        items.push_back("popup='" + *o.popupMenu + "'");
    if (o.font)
        items.push_back(DescribeFont(*o.font));
    if (o.text)
        items.push_back("text='" + Cp932::ToUtf8(*o.text) + "'");
    std::string out;
    for (const std::string& item : items) {
        out += out.empty() ? item : " " + item;
    }
    return out;
}

// A text table with the radio's cell models, the real link names, and the
// ten loop variables of a builder.
class CellTest : public ::testing::Test {
protected:
    // `extra`: more table lines (code page 932), for a derived fixture.
    explicit CellTest(const std::vector<std::string>& extra = {}) {
        table.SetLines(TableWith(extra));
    }

    // Parses the first cell of `text` (UTF-8) into a fresh object.
    cmcCellObj Parse(const std::string& text, const cmcCellObj* parent = nullptr) {
        cmcCellObj object;
        ParseCell(context, Sj(text), object, &vars, parent);
        return object;
    }

    cmcGTex table;
    indLinkNames names;
    cmcCellContext context{table, names};
    cmcCellVars vars{};
};

}  // namespace celltest

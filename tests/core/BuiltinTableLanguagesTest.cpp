// The English text table against the Japanese one: the same keys and lines,
// the same formats, the same descriptions with other display texts, the same
// file texts; and what is built from either works with files of the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "cuiSheetTestSupport.h"
#include "files/cmcCsvFile.h"
#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indImageMap.h"
#include "model/indLinkNames.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "util/Cp932.h"

namespace {

struct Entry {
    std::string key;
    std::vector<std::string> lines;
};

// The table as its keys in order, each with its lines, in UTF-8: a code
// page 932 trail byte may look like '|' or '}' to a byte pattern.
std::vector<Entry> Entries(const std::vector<std::string>& table) {
    std::vector<Entry> entries;
    for (const std::string& line : table) {
        if (!line.empty() && line[0] == '#') {
            entries.push_back({line.substr(1), {}});
        } else if (!entries.empty()) {
            entries.back().lines.push_back(Cp932::ToUtf8(line));
        }
    }
    return entries;
}

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        found.push_back(it->str());
    }
    return found;
}

std::vector<std::string> Conversions(const std::string& line) {
    static const std::regex conversion("%[-+ #0]*[0-9]*(\\.[0-9]+)?[sdiuxXc%]");
    return Matches(line, conversion);
}

// What a description line is made of apart from its display texts: the cell
// items in braces, the style items in parentheses (a title's text aside),
// the column bars and a menu item's depth.
std::vector<std::string> Structure(const std::string& line) {
    static const std::regex braces("\\{[^}]*\\}");
    static const std::regex items("\\([^()]*\\)");
    static const std::regex depth("^ *\\+");
    std::vector<std::string> parts = Matches(line, braces);
    if (parts.empty() && !line.empty() && line[0] == '(') {
        for (std::string item : Matches(line, items)) {
            parts.push_back(item.starts_with("(TitleString=") ? "(TitleString=)" : item);
        }
    }
    parts.push_back(std::to_string(std::count(line.begin(), line.end(), '|')) + " bars");
    for (const std::string& d : Matches(line, depth)) {
        parts.push_back("depth " + d);
    }
    return parts;
}

// Keys whose texts are a file's, a number or a name, not display text.
const char* const kSameInBoth[] = {
    "GI_Sys_AppTitle",          "GI_Sys_MyHelpFile",         "GI_App_InitialFile",
    "GI_Sys_Csv_Header",        "GI_AppInd_Model",           "GI_Sys_TreeChangeDelay",
    "GI_Sys_LockoutNewerData",  "GI_Sys_Printer_FontPoints", "GI_Sys_Printer_Margins",
    "GI_Sys_Printer_FrameFont", "GI_WarningCheckList",       "CellModel_Basic",
};

class TablesTest : public ::testing::Test {
protected:
    // Each Japanese line with its English twin: what a line's text becomes
    // by `view` must be the same in both.
    template <typename View>
    void ExpectLinesAlike(View view) {
        ASSERT_EQ(english.size(), japanese.size());
        for (size_t i = 0; i < japanese.size(); ++i) {
            const Entry& j = japanese[i];
            const Entry& e = english[i];
            ASSERT_EQ(e.lines.size(), j.lines.size()) << j.key;
            for (size_t n = 0; n < j.lines.size(); ++n) {
                EXPECT_EQ(view(e.lines[n]), view(j.lines[n])) << j.key << " line " << n;
            }
        }
    }

    std::vector<Entry> japanese = Entries(BuiltinTable::Lines());
    std::vector<Entry> english = Entries(BuiltinTable::EnglishLines());
};

}  // namespace

TEST_F(TablesTest, EnglishHasEveryKeyWithTheSameLineCount) {
    std::map<std::string, size_t> englishCounts;
    for (const Entry& e : english) {
        englishCounts[e.key] = e.lines.size();
    }
    for (const Entry& j : japanese) {
        auto found = englishCounts.find(j.key);
        ASSERT_NE(found, englishCounts.end()) << "missing key " << j.key;
        EXPECT_EQ(found->second, j.lines.size()) << j.key;
    }
    ASSERT_EQ(english.size(), japanese.size()) << "no key of its own either";
    for (size_t i = 0; i < japanese.size(); ++i) {
        EXPECT_EQ(english[i].key, japanese[i].key) << "keys in the same order";
    }
}

TEST_F(TablesTest, EveryLineKeepsItsFormatConversionsInOrder) {
    ExpectLinesAlike([](const std::string& line) { return Conversions(line); });
}

TEST_F(TablesTest, DescriptionsKeepTheirStructure) {
    ExpectLinesAlike([](const std::string& line) { return Structure(line); });
}

TEST_F(TablesTest, FileTextsNamesAndNumbersAreTheSame) {
    cmcGTex ja;
    cmcGTex en;
    ASSERT_TRUE(ja.SetLines(BuiltinTable::Lines()));
    ASSERT_TRUE(en.SetLines(BuiltinTable::EnglishLines()));
    for (const char* key : kSameInBoth) {
        EXPECT_EQ(en.GetBody(key), ja.GetBody(key)) << key;
    }
    // The file dialogs' default extensions.
    EXPECT_EQ(en.GetLine("GI_Sys_Dialog_FOpen", 0), ja.GetLine("GI_Sys_Dialog_FOpen", 0));
    EXPECT_EQ(en.GetLine("GI_Sys_Dialog_FOpenCsv", 0), ja.GetLine("GI_Sys_Dialog_FOpenCsv", 0));
}

// A translation left half done shows as Japanese among English texts. The
// exceptions: the font's face name, the language menu, which names each
// language in its own, the selected mark, and the texts files carry.
TEST_F(TablesTest, EnglishDisplayTextsAreEnglish) {
    const std::vector<std::string> allowed = {"ＭＳ Ｐゴシック", "言語", "日本語", "○"};
    for (const Entry& e : english) {
        if (e.key == "GI_Sys_Csv_Header") {
            continue;
        }
        for (size_t n = 0; n < e.lines.size(); ++n) {
            std::string rest = e.lines[n];
            for (const std::string& a : allowed) {
                for (size_t at = rest.find(a); at != std::string::npos; at = rest.find(a)) {
                    rest.erase(at, a.size());
                }
            }
            const bool ascii = std::all_of(rest.begin(), rest.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x80;
            });
            EXPECT_TRUE(ascii) << e.key << " line " << n;
        }
    }
}

TEST_F(TablesTest, UnknownLanguagesGiveJapanese) {
    EXPECT_EQ(BuiltinTable::LinesFor(BuiltinTable::kJapanese), BuiltinTable::Lines());
    EXPECT_EQ(BuiltinTable::LinesFor(BuiltinTable::kEnglish), BuiltinTable::EnglishLines());
    EXPECT_EQ(BuiltinTable::LinesFor(7), BuiltinTable::Lines());
}

namespace {

struct Language {
    const char* name;
    int32_t id;
};

const Language kLanguages[] = {{"japanese", BuiltinTable::kJapanese},
                               {"english", BuiltinTable::kEnglish}};

const char* const kSheets[] = {"GI_Sheet_TopPage", "GI_Sheet_BaseSettings", "GI_Sheet_SelCallList",
                               "GI_Sheet_GroupList", "GI_Sheet_CloneInfo"};

}  // namespace

// Both languages give every sheet the same grid: the same size, the same
// linked cells, and columns at least as wide as their fixed texts.
TEST(LanguageSheetsTest, EverySheetBuildsTheSameInBothLanguages) {
    indLinkNames names;
    sheettest::FakeMeasurer measurer;
    cmcGTex tables[2];
    for (const Language& l : kLanguages) {
        ASSERT_TRUE(tables[l.id].SetLines(BuiltinTable::LinesFor(l.id)));
    }
    for (const char* name : kSheets) {
        SCOPED_TRACE(name);
        std::unique_ptr<cuiSheet> built[2];
        std::unique_ptr<cmcCellContext> contexts[2];
        for (const Language& l : kLanguages) {
            contexts[l.id] = std::make_unique<cmcCellContext>(tables[l.id], names);
            built[l.id] = std::make_unique<cuiSheet>(*contexts[l.id], nullptr, 0, 0, name, nullptr);
            built[l.id]->SetMeasurer(&measurer);
            built[l.id]->Rebuild();
        }
        const cuiSheet& ja = *built[0];
        const cuiSheet& en = *built[1];
        ASSERT_EQ(en.ColCount(), ja.ColCount());
        ASSERT_EQ(en.RowCount(), ja.RowCount());
        EXPECT_EQ(en.FixedCols(), ja.FixedCols());
        EXPECT_EQ(en.FixedRows(), ja.FixedRows());
        EXPECT_EQ(en.IsPrintable(), ja.IsPrintable());
        for (int32_t row = 0; row < ja.RowCount(); ++row) {
            for (int32_t col = 0; col < ja.ColCount(); ++col) {
                const cmcCellObj& j = ja.Cell(col, row).obj;
                const cmcCellObj& e = en.Cell(col, row).obj;
                EXPECT_EQ(e.link, j.link) << col << "," << row;
                EXPECT_EQ(e.index, j.index) << col << "," << row;
                EXPECT_EQ(e.category, j.category) << col << "," << row;
            }
        }
    }
}

namespace {

void Name(cmcEeprom& image, uint32_t chType, int32_t row, const std::string& name) {
    datCh record(&image);
    record.Load(chType, static_cast<uint32_t>(row));
    std::fill(std::begin(record.name), std::end(record.name), 0);
    std::copy(name.begin(), name.end(), record.name);
    record.Store(chType, static_cast<uint32_t>(row));
}

}  // namespace

// The CSV lines that name the file and its columns are the same whatever the
// language, so a list exported in one reads back in the other.
TEST(LanguageCsvTest, AListExportedInOneLanguageReadsBackInTheOther) {
    const std::pair<int32_t, int32_t> directions[] = {
        {BuiltinTable::kEnglish, BuiltinTable::kJapanese},
        {BuiltinTable::kJapanese, BuiltinTable::kEnglish},
    };
    for (uint32_t chType : {cmcChType::kIndvList, cmcChType::kGrpList}) {
        for (const auto& [from, to] : directions) {
            SCOPED_TRACE("list " + std::to_string(chType) + " from " + std::to_string(from));
            test::TempDir dir;
            cmcVirtualTimerHost timers;
            cmcEvMan events(timers);
            cmcGTex fromTable;
            cmcGTex toTable;
            ASSERT_TRUE(fromTable.SetLines(BuiltinTable::LinesFor(from)));
            ASSERT_TRUE(toTable.SetLines(BuiltinTable::LinesFor(to)));
            cmcEeprom initial;
            initial.SetSize(indImageMap::kImageSize);
            cmcEeprom source;
            source.Assign(initial);
            Name(source, chType, 0, "ALPHA");
            Name(source, chType, 4, celltest::Sj("名前"));
            cmcCsvFile out(events, fromTable, nullptr);
            out.SetImage(&source);
            out.SetInitialImage(&initial);
            out.SetIds(0x4001, 0x0021);
            ASSERT_EQ(out.ExportSheet(dir.Path("list.csv"), chType), 0);

            cmcEeprom target;
            target.Assign(initial);
            cmcCsvFile in(events, toTable, nullptr);
            in.SetImage(&target);
            in.SetInitialImage(&initial);
            in.SetIds(0x4001, 0x0021);
            ASSERT_EQ(in.ImportSheet(dir.Path("list.csv"), chType), 0);
            datCh a(&source);
            datCh b(&target);
            for (int32_t row : {0, 4}) {
                a.Load(chType, static_cast<uint32_t>(row));
                b.Load(chType, static_cast<uint32_t>(row));
                EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.name)),
                          std::string(reinterpret_cast<const char*>(a.name)))
                    << row;
            }
        }
    }
}

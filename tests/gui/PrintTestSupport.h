#pragma once
// What the print tests share: a document over a table holding the built-in
// texts plus the test sheets.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "tests/core/FakeDocHost.h"
#include "tests/e2e/PdfText.h"
#include "util/Cp932.h"

namespace printtest {

// The built-in table with the sheets of tests/data/sheets/print.txt.
inline cmcGTex& PrintTable() {
    static cmcGTex table;
    static bool loaded = [] {
        std::vector<std::string> lines = BuiltinTable::Lines();
        std::ifstream in(std::string(MX_TEST_DATA) + "/sheets/print.txt");
        std::vector<std::string> extra;
        for (std::string line; std::getline(in, line);) {
            extra.push_back(Cp932::FromUtf8(line).value_or(""));
        }
        // Before the table's end mark.
        lines.insert(lines.end() - 1, extra.begin(), extra.end());
        return table.SetLines(lines);
    }();
    EXPECT_TRUE(loaded);
    return table;
}

class PrintDocHost : public test::FakeDocHost {
public:
    PrintDocHost() { revision = "1.00"; }
    cmcGTex& Table() override { return PrintTable(); }
};

}  // namespace printtest

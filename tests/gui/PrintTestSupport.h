#pragma once
// What the print tests share: a document over a table holding the built-in
// texts plus the test sheets, and the PDF tools that read what was printed.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "tests/core/FakeDocHost.h"
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

// Standard output of a command.
inline std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return out;
    }
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    ::pclose(pipe);
    return out;
}

// The text of each page of a PDF file (UTF-8).
inline std::vector<std::string> PdfPages(const std::string& pdf) {
    const std::string text = Run("pdftotext -layout '" + pdf + "' -");
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t feed; (feed = text.find('\f', start)) != std::string::npos; start = feed + 1) {
        pages.push_back(text.substr(start, feed - start));
    }
    return pages;
}

inline bool Has(const std::string& text, const std::string& word) {
    return text.find(word) != std::string::npos;
}

}  // namespace printtest

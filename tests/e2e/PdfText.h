#pragma once
// Reading printed PDF files back with the PDF tools (poppler-utils).
#include <cstdio>
#include <string>
#include <vector>

namespace pdftext {

// Standard output of a command.
inline std::string Run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            out.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return out;
}

// The text of each page of a PDF file (UTF-8), laid out as on the page.
inline std::vector<std::string> Pages(const std::string& pdf) {
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

}  // namespace pdftext

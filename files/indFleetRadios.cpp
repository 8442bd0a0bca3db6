#include "files/indFleetRadios.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "files/indFleetCsv.h"
#include "util/Cp932.h"
#include "util/cmcStr.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Blank(const std::vector<std::string>& line) {
    for (const std::string& field : line) {
        if (!Trimmed(field).empty()) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string indFleetRadios::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "cannot open '" + path + "'";
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return Parse(bytes.str());
}

std::string indFleetRadios::Parse(const std::string& bytes) {
    std::string text = bytes;
    if (text.compare(0, kBom.size(), kBom) == 0) {
        const std::optional<std::string> converted = Cp932::FromUtf8(text.substr(kBom.size()));
        if (!converted) {
            return "the file holds a character the radio cannot hold";
        }
        text = *converted;
    }
    std::vector<std::vector<std::string>> lines = indFleetCsv::Split(text);
    if (lines.empty()) {
        return "the file has no header line";
    }
    m_columns.assign(lines[0].size(), indCellEdit{});
    for (size_t i = 0; i < lines[0].size(); ++i) {
        const std::string error =
            indCellEdit::ParseTarget(Trimmed(lines[0][i]), m_columns[i], true);
        if (!error.empty()) {
            return cmcStr::Format("header column %d: ", static_cast<int>(i + 1)) + error;
        }
    }
    m_rows.clear();
    for (size_t n = 1; n < lines.size(); ++n) {
        if (Blank(lines[n])) {
            continue;
        }
        if (lines[n].size() > m_columns.size()) {
            return cmcStr::Format("line %d has more fields than the header",
                                  static_cast<int>(n + 1));
        }
        lines[n].resize(m_columns.size());
        m_rows.push_back({static_cast<int32_t>(n), lines[n]});
    }
    return {};
}

std::vector<indCellEdit> indFleetRadios::EditsOf(const Row& row) const {
    std::vector<indCellEdit> edits;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (Trimmed(row.values[i]).empty()) {
            continue;
        }
        indCellEdit edit = m_columns[i];
        edit.SetCommit(row.values[i]);
        edits.push_back(std::move(edit));
    }
    return edits;
}

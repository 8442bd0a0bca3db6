#include "files/indFleetLog.h"

#include <fstream>
#include <sstream>

#include "files/cmcSafeFile.h"
#include "files/indFleetCsv.h"
#include "util/Cp932.h"
#include "util/cmcStr.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::vector<std::string> kHeader = {"time",  "row",      "port",   "device_id",
                                          "model", "revision", "result", "verification"};
constexpr size_t kRowField = 1;
constexpr size_t kResultField = 6;

}  // namespace

bool indFleetLog::Open(const std::string& path) {
    m_path = path;
    m_verified.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_content = kBom + indFleetCsv::Line(kHeader);
        return true;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    m_content = bytes.str();
    const std::string text =
        m_content.compare(0, kBom.size(), kBom) == 0 ? m_content.substr(kBom.size()) : m_content;
    const std::vector<std::vector<std::string>> lines = indFleetCsv::Split(text);
    if (lines.empty() || lines[0] != kHeader) {
        return false;
    }
    for (size_t n = 1; n < lines.size(); ++n) {
        if (lines[n].size() != kHeader.size()) {
            continue;
        }
        const int32_t row = cmcStr::AtoI(lines[n][kRowField]);
        if (lines[n][kResultField] == kVerified) {
            m_verified.insert(row);
        } else {
            m_verified.erase(row);
        }
    }
    return true;
}

int indFleetLog::Append(const Entry& e) {
    const std::string line =
        indFleetCsv::Line({e.time, cmcStr::Format("%d", e.row), e.port, e.deviceId,
                           Cp932::ToUtf8(e.model), e.revision, e.result, e.verification});
    const int result = m_path.empty() ? 0 : cmcSafeFile::Write(m_path, m_content + line);
    if (result == 0) {
        m_content += line;
        if (e.result == kVerified) {
            m_verified.insert(e.row);
        }
    }
    return result;
}

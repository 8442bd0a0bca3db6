#pragma once
#include <string>
#include <vector>

// The comma-separated text of the fleet's files: fields may be quoted with
// '"' (a doubled quote inside), lines end in CR LF or LF. Bytes pass through
// unchanged, so code page 932 text (whose trail bytes are never '"' or ',')
// splits as it is.
namespace indFleetCsv {

std::vector<std::vector<std::string>> Split(const std::string& text);
// One line of fields, quoted where needed, ended by CR LF.
std::string Line(const std::vector<std::string>& fields);

}  // namespace indFleetCsv

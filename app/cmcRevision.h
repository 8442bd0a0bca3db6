#pragma once
#include <string>

// The program's revision as titles, the About box and the top page show it:
// the first three characters of the compiled-in version ("1.0").
inline std::string ProgramRevisionText() { return std::string(MX_REVISION).substr(0, 3); }

#pragma once
#include <string>
#include <string_view>

// A sheet request as tree nodes and the warning check write it: an optional
// sheet class in square brackets, the sheet's description key, and after the
// first comma the sheet's parameters, e.g. "[St_ChBank]GI_Sheet_Mch_Dig,Bank 1".
struct cuiSheetRequest {
    std::string full;        // the request as given
    std::string className;   // without the brackets; empty when none
    std::string name;        // the description key stem
    std::string parameters;  // after the first comma; empty when none

    static cuiSheetRequest Parse(std::string_view text);
};

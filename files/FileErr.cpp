#include "files/FileErr.h"

#include <array>

namespace FileErr {

std::string Key(int code) {
    static constexpr std::array<const char*, kLast + 1> kKeys = {
        "",
        "GI_Mess_FileErr_FileOpen",
        "GI_Mess_FileErr_FileAccess",
        "GI_Mess_FileErr_Model",
        "GI_Mess_FileErr_Extra",
        "GI_Mess_FileErr_MapRev",
        "GI_Mess_FileErr_Format",
        "GI_Mess_FileErr_Coverage",
        "GI_Mess_FileErr_Data",
        "GI_Mess_FileErr_Newer",
    };
    if (code < 0 || code > kLast) {
        return "";
    }
    return kKeys[static_cast<size_t>(code)];
}

}  // namespace FileErr

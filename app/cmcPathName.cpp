#include "app/cmcPathName.h"

#include "util/Cp932.h"

namespace cmcPathName {

std::string NameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ForText(const std::string& path) {
    return Cp932::FromUtf8(path).value_or(path);
}

std::string FillIn(std::string text, const std::string& value) {
    size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, value);
    }
    return text;
}

}  // namespace cmcPathName

#include "sheet/cuiSheetRequest.h"

cuiSheetRequest cuiSheetRequest::Parse(std::string_view text) {
    cuiSheetRequest request;
    request.full = std::string(text);
    std::string_view rest = text;
    if (!rest.empty() && rest.front() == '[') {
        // An unclosed bracket is not a class: the whole text stays the name.
        const size_t close = rest.find(']');
        if (close != std::string_view::npos) {
            request.className = std::string(rest.substr(1, close - 1));
            rest.remove_prefix(close + 1);
        }
    }
    // Sheet keys are plain ASCII, so the first comma byte is the separator.
    const size_t comma = rest.find(',');
    request.name = std::string(rest.substr(0, comma));
    if (comma != std::string_view::npos) {
        request.parameters = std::string(rest.substr(comma + 1));
    }
    return request;
}

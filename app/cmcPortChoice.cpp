#include "app/cmcPortChoice.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "util/cmcStr.h"

namespace cmcPortChoice {

namespace {

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The whole text as a decimal integer, or kNotANumber.
int32_t WholeNumber(const std::string& text) {
    std::string trimmed = Trimmed(text);
    if (trimmed.empty()) {
        return kNotANumber;
    }
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(trimmed.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
        return kNotANumber;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

bool IsValid(int32_t port) {
    return port >= kFirst && port <= kLast;
}

int32_t NumberOfText(const std::string& text) {
    if (text.rfind("COM", 0) == 0) {
        return cmcStr::AtoI(std::string_view(text).substr(3));
    }
    return cmcStr::AtoI(text);
}

int32_t Read(Variant variant, const std::string& text) {
    switch (variant) {
    case Variant::Typed:
        return WholeNumber(text);
    case Variant::Registry:
        return cmcStr::AtoI(Trimmed(text));
    case Variant::Named:
        return NumberOfText(text);
    }
    return kNotANumber;
}

void SortByNumber(std::vector<std::string>& list) {
    std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        return NumberOfText(a) < NumberOfText(b);
    });
}

}  // namespace cmcPortChoice

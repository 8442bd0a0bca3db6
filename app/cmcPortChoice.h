#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The rules of the port selection dialog, apart from its widgets: how each
// variant reads its input, the valid range, and the order of the lists.
namespace cmcPortChoice {

inline constexpr int32_t kFirst = 1;
inline constexpr int32_t kLast = 256;
inline constexpr int32_t kNotANumber = -999;

enum class Variant : int32_t { Typed = 0, Registry = 1, Named = 2 };

bool IsValid(int32_t port);
// The number after "COM" (exact case) when the text starts with it, else the
// decimal number at its start; no digits give 0.
int32_t NumberOfText(const std::string& text);
// What OK reads from the input of a variant.
int32_t Read(Variant variant, const std::string& text);
// Numeric order, so "10" follows "9".
void SortByNumber(std::vector<std::string>& list);

}  // namespace cmcPortChoice

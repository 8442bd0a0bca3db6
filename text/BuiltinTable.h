#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The text tables compiled into the program: code page 932 lines, from
// "#Start_Of_Ovl" to the "#End_Of_Ovl" header. Japanese is the default;
// English has the same keys, lines and formats with other display texts.
namespace BuiltinTable {

enum Language : int32_t { kJapanese = 0, kEnglish = 1 };

std::vector<std::string> Lines();
std::vector<std::string> EnglishLines();

// The table of a language; anything unknown gives Japanese.
std::vector<std::string> LinesFor(int32_t language);

}  // namespace BuiltinTable

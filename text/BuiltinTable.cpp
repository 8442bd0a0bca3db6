#include "text/BuiltinTable.h"

std::vector<std::string> BuiltinTable::LinesFor(int32_t language) {
    return language == kEnglish ? EnglishLines() : Lines();
}

#pragma once
#include <string>
#include <vector>

// The text table compiled into the program: code page 932 lines, from
// "#Start_Of_Ovl" to the "#End_Of_Ovl" header.
namespace BuiltinTable {

std::vector<std::string> Lines();

}  // namespace BuiltinTable

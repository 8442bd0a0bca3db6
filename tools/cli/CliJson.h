#pragma once
#include <nlohmann/json.hpp>
#include <string>

// The one JSON writer of the tool: members in the order they are added,
// compact, names converted from code page 932 to UTF-8 with whatever does not
// decode replaced, so the output is always valid.
using CliJsonValue = nlohmann::ordered_json;

// A code page 932 text as a JSON string value.
CliJsonValue CliJsonText(const std::string& cp932);
// Writes a value and a line end to standard output.
void CliJsonPrint(const CliJsonValue& value);

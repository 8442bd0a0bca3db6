#pragma once
#include <string>

// Result codes of the file layer. The CSV layer continues the numbering with
// its own import codes.
namespace FileErr {

inline constexpr int kNone = 0;
inline constexpr int kFileOpen = 1;    // the file cannot be opened or created
inline constexpr int kFileAccess = 2;  // reading or writing failed part-way
inline constexpr int kModel = 3;       // another model's file
inline constexpr int kExtra = 4;       // another variant of this model
inline constexpr int kMapRev = 5;      // an image map revision this program does not know
inline constexpr int kFormat = 6;      // a line breaks the file layout
inline constexpr int kCoverage = 7;    // some address the file must hold is missing
inline constexpr int kData = 8;        // an address outside what the file may hold
inline constexpr int kNewer = 9;       // reserved for a newer format
inline constexpr int kLast = kNewer;

// Text-table key of a code's message; empty for 0 and unknown codes.
std::string Key(int code);

}  // namespace FileErr

#pragma once
#include <string>

// File paths as the document shows and remembers them. Paths are the file
// system's bytes (UTF-8 here); texts shown to the user are code page 932.
namespace cmcPathName {

// The part after the last '/'; the whole path when there is none.
std::string NameOf(const std::string& path);
// The part before the last '/'; empty when there is none.
std::string FolderOf(const std::string& path);
// A path's name made fit for a code page 932 text: names the code page
// cannot hold stay as their bytes.
std::string ForText(const std::string& path);
// `text` with its first "%s" replaced by `value`, taken literally.
std::string FillIn(std::string text, const std::string& value);

}  // namespace cmcPathName

#pragma once
#include <QString>
#include <string>

// Where the core's code page 932 texts meet Qt's strings, and its paths
// (file system bytes) meet QString.
namespace cmcQtText {

QString FromCp932(const std::string& text);
// Characters the code page cannot hold become '?', as typed text never
// reaches the core unchecked.
std::string ToCp932(const QString& text);
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace cmcQtText

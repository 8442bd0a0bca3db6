#pragma once

// Where this program keeps its settings; the application and the
// command-line tool share them, so a port chosen in one is used by the other.
namespace indSettingsPlace {
inline constexpr char kOrganisation[] = "VARTEK INCORPORATED";
inline constexpr char kApplication[] = "MX-R77C";
inline constexpr char kKeyPath[] = "Software\\VARTEK INCORPORATED\\MX-R77C";
inline constexpr char kGlobalGroup[] = "Software\\VARTEK INCORPORATED\\MX-R77C\\Global";
inline constexpr char kViewGroup[] = "Software\\VARTEK INCORPORATED\\MX-R77C\\View Option";
}  // namespace indSettingsPlace

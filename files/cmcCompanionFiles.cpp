#include "files/cmcCompanionFiles.h"

#include <unistd.h>

#include <filesystem>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Relative to bin/, as every installation prefix lays it out.
const char kDataFolder[] = "../share/mxr77c";

bool Holds(const std::string& folder, const std::string& name) {
    std::error_code error;
    return fs::exists(fs::path(folder) / name, error);
}

}  // namespace

cmcCompanionFiles::cmcCompanionFiles(std::string exeFolder) : m_exeFolder(std::move(exeFolder)) {}

cmcCompanionFiles cmcCompanionFiles::ForThisProgram() {
    std::vector<char> buf(4096);
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) {
        return cmcCompanionFiles(".");
    }
    fs::path exe(std::string(buf.data(), static_cast<size_t>(n)));
    return cmcCompanionFiles(exe.parent_path().string());
}

std::string cmcCompanionFiles::DataFolder() const {
    return (fs::path(m_exeFolder) / kDataFolder).lexically_normal().string();
}

std::string cmcCompanionFiles::FolderOf(const std::string& name) const {
    if (!Holds(m_exeFolder, name) && Holds(DataFolder(), name)) {
        return DataFolder();
    }
    return m_exeFolder;
}

std::string cmcCompanionFiles::PathOf(const std::string& name) const {
    return FolderOf(name) + "/" + name;
}

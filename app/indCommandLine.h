#pragma once
#include <functional>
#include <string>
#include <vector>

class indEnviron;

// The program's switches. Port and speed overrides go straight into the
// settings, so they are also what is saved at exit; anything that is no
// switch names the file to open.
class indCommandLine {
public:
    using Exists = std::function<bool(const std::string& path)>;

    // args[0] is the program path as the process got it, and is skipped.
    indCommandLine(const std::vector<std::string>& args, const std::string& exePath,
                   const std::string& currentFolder, const Exists& exists, indEnviron& settings);

    bool writeAfterOpen = false;
    bool fileGiven = false;
    bool fileExists = false;
    std::string path;

    // A file argument as it is opened: ".rcf" when it has no extension, the
    // current folder in front when it names none.
    static std::string FilePath(const std::string& argument, const std::string& currentFolder);
    // The number after "/c:", or -999 when it is no decimal number.
    static int PortNumber(const std::string& argument, const std::string& lower);

private:
    void Visit(const std::string& argument, const std::string& exePath, indEnviron& settings);
    void TakeFile(const std::string& argument);

    std::string m_currentFolder;
    Exists m_exists;
};

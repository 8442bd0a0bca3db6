#pragma once
#include <string>

// Finds the files that ship with the programs (the initial image, the manual,
// the demo radio's start image, the character editor). A build tree keeps
// them beside the executables; an installed tree keeps the executables in
// bin/ and the files in share/mxr77c/. One lookup for every program, so the
// application and the command-line tool never disagree about where they are.
class cmcCompanionFiles {
public:
    explicit cmcCompanionFiles(std::string exeFolder);

    // The lookup for the running program, from its own executable's path.
    static cmcCompanionFiles ForThisProgram();

    // The folder that holds name: the executable's folder, else the installed
    // data folder. When neither holds it, the executable's folder, so that a
    // message about the missing file names the place it was first looked for.
    std::string FolderOf(const std::string& name) const;
    std::string PathOf(const std::string& name) const;

    const std::string& ExeFolder() const { return m_exeFolder; }
    std::string DataFolder() const;

private:
    std::string m_exeFolder;
};

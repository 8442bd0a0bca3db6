#include "app/indCommandLine.h"

#include "app/cmcPortChoice.h"
#include "files/indEnviron.h"

namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

}  // namespace

indCommandLine::indCommandLine(const std::vector<std::string>& args, const std::string& exePath,
                               const std::string& currentFolder, const Exists& exists,
                               indEnviron& settings)
    : m_currentFolder(currentFolder), m_exists(exists) {
    // The first argument is the program as it was started (relative, through
    // a link or found on PATH): never a file, whatever its spelling.
    for (size_t i = 1; i < args.size(); ++i) {
        Visit(args[i], exePath, settings);
    }
}

void indCommandLine::Visit(const std::string& argument, const std::string& exePath,
                           indEnviron& settings) {
    std::string lower = Lower(argument);
    if (argument == exePath || lower == "/pn" || argument == "/p:R77C" || argument == "/P:R77C") {
        return;
    }
    if (lower == "/w") {
        writeAfterOpen = true;
    } else if (lower.find("/c:") != std::string::npos) {
        int port = PortNumber(argument, lower);
        if (cmcPortChoice::IsValid(port)) {
            settings.comPort = port;
        }
    } else if (lower == "/s:n") {
        settings.comSpeedHigh = 0;
    } else if (lower == "/s:h") {
        settings.comSpeedHigh = 1;
    } else if (lower == "/reserve" || lower == "/debug") {
        return;
    } else if (!argument.empty()) {
        TakeFile(argument);
    }
}

int indCommandLine::PortNumber(const std::string& argument, const std::string& lower) {
    // Read as a typed port number is: the whole trimmed text or nothing.
    return cmcPortChoice::Read(cmcPortChoice::Variant::Typed,
                               argument.substr(lower.find("/c:") + 3));
}

std::string indCommandLine::FilePath(const std::string& argument,
                                     const std::string& currentFolder) {
    std::string result = argument;
    size_t slash = result.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (result.find('.', nameStart) == std::string::npos) {
        result += ".rcf";
    }
    if (slash == std::string::npos) {
        result = currentFolder + "/" + result;
    }
    return result;
}

void indCommandLine::TakeFile(const std::string& argument) {
    path = FilePath(argument, m_currentFolder);
    fileGiven = true;
    fileExists = m_exists && m_exists(path);
}

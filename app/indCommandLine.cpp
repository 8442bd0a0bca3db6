#include "app/indCommandLine.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "files/indEnviron.h"

namespace {

constexpr int kInvalidPort = -999;
constexpr int kFirstPort = 1;
constexpr int kLastPort = 256;

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

indCommandLine::indCommandLine(const std::vector<std::string>& args, const std::string& exePath,
                               const std::string& currentFolder, const Exists& exists,
                               indEnviron& settings)
    : m_currentFolder(currentFolder), m_exists(exists) {
    for (const std::string& argument : args) {
        Visit(argument, exePath, settings);
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
        if (port >= kFirstPort && port <= kLastPort) {
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
    std::string text = Trimmed(argument.substr(lower.find("/c:") + 3));
    if (text.empty()) {
        return kInvalidPort;
    }
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return kInvalidPort;
    }
    return static_cast<int>(value);
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

#pragma once
#include <string>
#include <vector>

// Exit statuses of the command-line tool beyond the result codes it passes on.
namespace CliExit {
constexpr int kUsage = 64;
}

// Subcommands; each gets its arguments after the subcommand's name.
int CliText(const std::vector<std::string>& args);

// Writes code page 932 text to a stream as UTF-8.
void CliPrintOut(const std::string& cp932);
void CliPrintErr(const std::string& cp932);

// Reports a usage error on standard error and returns kUsage.
int CliUsageError(const std::string& message);

#pragma once
#include <string>
#include <vector>

#include "model/indImageDiff.h"

class cmcEeprom;
class cmcGTex;

// Exit statuses of the command-line tool beyond the result codes it passes on.
namespace CliExit {
constexpr int kUsage = 64;
constexpr int kDiffTrouble = 2;
}

// Subcommands; each gets its arguments after the subcommand's name.
int CliText(const std::vector<std::string>& args);
int CliCheck(const std::vector<std::string>& args);
int CliDump(const std::vector<std::string>& args);
int CliNew(const std::vector<std::string>& args);
int CliSheet(const std::vector<std::string>& args);
int CliSet(const std::vector<std::string>& args);
int CliExportCsv(const std::vector<std::string>& args);
int CliImportCsv(const std::vector<std::string>& args);
int CliInfo(const std::vector<std::string>& args);
int CliRead(const std::vector<std::string>& args);
int CliWrite(const std::vector<std::string>& args);
int CliMemWrite(const std::vector<std::string>& args);
int CliSearch(const std::vector<std::string>& args);
int CliVerify(const std::vector<std::string>& args);
int CliBatch(const std::vector<std::string>& args);

// diff: 0 when the two files hold the same, 1 when they differ, 2 when one
// cannot be opened (its error shown on standard error).
int CliDiffImages(const std::string& first, const std::string& second, bool json);
// The differences as a table (sheet, row, item, first, second; tab-separated)
// or as JSON.
void CliPrintDifferences(const std::vector<indImageDiff::Difference>& differences, bool json);
int CliPrint(const std::vector<std::string>& args);

// The built-in text table, loaded on first use.
cmcGTex& CliTable();

// The path of a file that ships with the programs (beside this executable in a
// build tree, in share/mxr77c when installed).
std::string CliCompanionFile(const std::string& name);

// Opens an image file with every check of File > Open into image; problems
// are reported on standard error. Returns the file error code.
int CliOpenImage(const std::string& path, cmcEeprom& image);

// Writes code page 932 text to a stream as UTF-8.
void CliPrintOut(const std::string& cp932);
void CliPrintErr(const std::string& cp932);

// Reports a usage error on standard error and returns kUsage.
int CliUsageError(const std::string& message);

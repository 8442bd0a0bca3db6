#pragma once
#include <cstdint>
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

// Where a clone command talks to the radio: COM port number N (0: the port
// the application has selected) or a device path.
struct CliPortArgs {
    int port = 0;
    std::string device;
};

struct CliPrintArgs {
    std::string file;
    std::string sheet;  // or all
    bool all = false;
    std::string out;
    int dpi = 600;
};

struct CliBatchArgs {
    std::string templateFile;
    std::string radios;
    std::string log;
    int waitSeconds = 60;
    std::vector<int> ports;  // both empty: the selected port
    std::vector<std::string> devices;
};

// Subcommands, their arguments parsed; each returns the exit status.
int CliText(const std::string& key, int line);  // line -1: the whole body
int CliCheck(const std::string& file);
int CliDump(const std::string& file, bool json);
int CliNew(const std::string& out);
int CliSheet(const std::string& file, const std::string& sheet);
int CliSet(const std::string& file, const std::vector<std::string>& edits, const std::string& out);
int CliExportCsv(const std::string& file, uint32_t chType, const std::string& out);
int CliImportCsv(const std::string& file, uint32_t chType, const std::string& csv,
                 const std::string& out);
int CliInfo(const CliPortArgs& port);
int CliRead(const std::string& out, const CliPortArgs& port);
int CliWrite(const std::string& file, const CliPortArgs& port);
int CliMemWrite(const std::string& file, const CliPortArgs& port);
int CliVerify(const std::string& file, const CliPortArgs& port);
int CliSearch();
int CliPrint(const CliPrintArgs& args);
int CliBatch(const CliBatchArgs& args);

// diff: 0 when the two files hold the same, 1 when they differ, 2 when one
// cannot be opened (its error shown on standard error).
int CliDiffImages(const std::string& first, const std::string& second, bool json);
// The differences as a table (sheet, row, item, first, second; tab-separated)
// or as JSON.
void CliPrintDifferences(const std::vector<indImageDiff::Difference>& differences, bool json);

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

// Reports a usage error on standard error and returns kUsage; the hint
// names the subcommand's own help when one was given.
int CliUsageError(const std::string& message);

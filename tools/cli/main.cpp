// mxr77c-cli: the command-line companion of the application. Argument handling
// and output only; every rule lives in the core.
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "files/cmcCompanionFiles.h"
#include "files/indSettingsPlace.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliSettings.h"
#include "util/Cp932.h"

namespace {

int CliDiff(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg.rfind("--", 0) == 0) {
            return CliUsageError("diff knows no option '" + arg + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        return CliUsageError("diff takes two files and an optional --json");
    }
    return CliDiffImages(files[0], files[1], json);
}

struct Subcommand {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    const char* usage;
};

const Subcommand kSubcommands[] = {
    {"text", CliText, "text KEY [LINE]       show a text of the built-in table"},
    {"check", CliCheck, "check FILE            check an image file as File > Open does"},
    {"dump", CliDump, "dump FILE [--json]    show the settings an image file holds"},
    {"new", CliNew, "new OUT               write a new document as File > New, then Save"},
    {"sheet", CliSheet, "sheet FILE SHEET      print the texts of a sheet over an image file"},
    {"set", CliSet,
     "set FILE EDIT... [-o OUT]  edit cells as the sheets do, then Save\n"
     "                        EDIT: [CT_X.]CL_Y[n] then =TEXT, + (Space), - (Backspace)\n"
     "                        or @V (choose list value V)"},
    {"export-csv", CliExportCsv,
     "export-csv FILE --list indv|group -o OUT.csv\n"
     "                        write one list of an image file as CSV"},
    {"import-csv", CliImportCsv,
     "import-csv FILE --list indv|group IN.csv [-o OUT]\n"
     "                        read a list from CSV and save the image to OUT\n"
     "                        (or FILE); nothing is written on failure"},
    {"info", CliInfo, "info [PORT]           show the radio's model name and revision"},
    {"read", CliRead, "read -o OUT [PORT]    read the radio into an image file"},
    {"write", CliWrite, "write FILE [PORT]     write an image file to the radio"},
    {"memwrite", CliMemWrite, "memwrite FILE [PORT]  write only the memory part of an image file"},
    {"verify", CliVerify,
     "verify FILE [PORT]    read the radio and compare it with FILE over the\n"
     "                        ranges a write sends"},
    {"diff", CliDiff,
     "diff A B [--json]     the differences of two image files as the sheets show them"},
    {"batch", CliBatch,
     "batch TEMPLATE --radios RADIOS.csv [PORT...] [--log LOG.csv] [--wait S]\n"
     "                        program a fleet: each row of RADIOS.csv applied to\n"
     "                        TEMPLATE, written to a radio and verified, one radio\n"
     "                        per port at a time; --wait: seconds a port waits for\n"
     "                        a radio to answer (default 60, 0 no limit)"},
    {"search", CliSearch, "search                find the port the radio answers on"},
    {"print", CliPrint,
     "print FILE (--sheet NAME | --all) -o OUT.pdf [--dpi N]\n"
     "                        print sheets of an image file to a PDF file (A4,\n"
     "                        600 dpi by default); --all: every sheet of the tree"},
};

// The language of the texts: the application's setting unless --lang says.
int32_t g_language = BuiltinTable::kJapanese;

// Takes "--lang ja|en" out of the arguments; false for another value.
bool TakeLanguage(std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--lang") {
            continue;
        }
        const std::string value = i + 1 < args.size() ? args[i + 1] : "";
        if (value != "ja" && value != "en") {
            return false;
        }
        g_language = value == "en" ? BuiltinTable::kEnglish : BuiltinTable::kJapanese;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    const std::optional<int32_t> stored =
        CliKeyStore().ReadInt(indSettingsPlace::kViewGroup, "Language");
    g_language = stored.value_or(BuiltinTable::kJapanese) == BuiltinTable::kEnglish
                     ? BuiltinTable::kEnglish
                     : BuiltinTable::kJapanese;
    return true;
}

void PrintHelp(FILE* out) {
    std::fprintf(out, "usage: mxr77c-cli SUBCOMMAND [ARGS] [--lang ja|en]\n\nSubcommands:\n");
    for (const Subcommand& s : kSubcommands) {
        std::fprintf(out, "  %s\n", s.usage);
    }
    std::fprintf(out,
                 "\nExit status: 0 on success; check, dump and new return the file error code\n"
                 "(1 open, 2 access, 3 model, 4 extra code, 5 map revision, 6 format,\n"
                 "7 coverage, 8 data); 64 for a usage error.\n"
                 "export-csv and import-csv return those codes or the CSV codes: 10 entry\n"
                 "number out of range, 12 no header for the list, 13 header mismatch; the\n"
                 "error box goes to standard error, the import report to standard output; set and "
                 "sheet return\n"
                 "the file error code of the open or the save.\n"
                 "\nPORT is --port N (1-256, default 1) or --device PATH. The clone commands\n"
                 "return the clone result code (2 port, 3 echo, 4 no answer, 5 bad data,\n"
                 "6 counter, 7 size, 8 overflow, 9 not this radio's image, 10 write not\n"
                 "accepted, 11 port write, 12 radio information, 13 no port answered);\n"
                 "refused before writing: 20 data errors, 21 another extra code, 22 the\n"
                 "file was rejected or could not be saved, 23 no serial port support.\n"
                 "verify returns 30 when the radio holds other data than the file over the\n"
                 "ranges a write sends (the differences on standard output), or the clone\n"
                 "result code of its read. diff returns 0 when the files hold the same, 1\n"
                 "when they differ, 2 when one cannot be opened.\n");
}

}  // namespace

void CliPrintOut(const std::string& cp932) {
    std::fputs(Cp932::ToUtf8(cp932).c_str(), stdout);
}

void CliPrintErr(const std::string& cp932) {
    std::fputs(Cp932::ToUtf8(cp932).c_str(), stderr);
}

cmcGTex& CliTable() {
    static cmcGTex table;
    static bool loaded = table.SetLines(BuiltinTable::LinesFor(g_language));
    (void)loaded;
    return table;
}

std::string CliCompanionFile(const std::string& name) {
    return cmcCompanionFiles::ForThisProgram().PathOf(name);
}

int CliUsageError(const std::string& message) {
    std::fprintf(stderr, "mxr77c-cli: %s\n", message.c_str());
    std::fprintf(stderr, "Try 'mxr77c-cli --help'.\n");
    return CliExit::kUsage;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintHelp(stderr);
        return CliExit::kUsage;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(stdout);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    if (!TakeLanguage(args)) {
        return CliUsageError("--lang takes ja or en");
    }
    for (const Subcommand& s : kSubcommands) {
        if (name == s.name) {
            return s.run(args);
        }
    }
    return CliUsageError("unknown subcommand '" + name + "'");
}

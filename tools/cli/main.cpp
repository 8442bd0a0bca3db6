// mxr77c-cli: the command-line companion of the application. Argument handling
// and output only; every rule lives in the core.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "files/cmcCompanionFiles.h"
#include "files/indSettingsPlace.h"
#include "model/cmcChType.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliSettings.h"
#include "util/Cp932.h"

namespace {

const char kExitStatus[] =
    "Exit status: 0 on success; check, dump and new return the file error code\n"
    "(1 open, 2 access, 3 model, 4 extra code, 5 map revision, 6 format,\n"
    "7 coverage, 8 data); 64 for a usage error.\n"
    "export-csv and import-csv return those codes or the CSV codes: 10 entry\n"
    "number out of range, 12 no header for the list, 13 header mismatch; the\n"
    "error box goes to standard error, the import report to standard output; set and sheet "
    "return\n"
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
    "when they differ, 2 when one cannot be opened. batch returns 0 when every\n"
    "row is verified (now or in an earlier run with the same log), 31 otherwise,\n"
    "22 when a file is rejected.\n";

// The language of the texts: the application's setting unless --lang says.
int32_t g_language = BuiltinTable::kJapanese;
// The subcommand being parsed, for the hint after a usage error.
std::string g_subcommand;

void UseStoredLanguage() {
    const std::optional<int32_t> stored =
        CliKeyStore().ReadInt(indSettingsPlace::kViewGroup, "Language");
    g_language = stored.value_or(BuiltinTable::kJapanese) == BuiltinTable::kEnglish
                     ? BuiltinTable::kEnglish
                     : BuiltinTable::kJapanese;
}

// What runs once the arguments are parsed.
using Job = std::function<int()>;

CLI::App* Command(CLI::App& app, const std::string& name, const std::string& what, Job& job,
                  Job run) {
    CLI::App* sub = app.add_subcommand(name, what);
    sub->footer("Exit statuses: see 'mxr77c-cli --help'.");
    sub->parse_complete_callback([sub, &job, run = std::move(run)] {
        g_subcommand = sub->get_name();
        job = run;
    });
    return sub;
}

void AddPort(CLI::App* sub, CliPortArgs& port) {
    CLI::Option* number =
        sub->add_option("--port", port.port, "COM port number N")->check(CLI::Range(1, 256));
    sub->add_option("--device", port.device, "the serial device at PATH")->excludes(number);
}

void AddFileCommands(CLI::App& app, Job& job) {
    static std::string file;
    static std::string second;
    static std::string out;
    static bool json = false;
    static int line = -1;
    static std::vector<std::string> edits;
    CLI::App* text = Command(app, "text", "show a text of the built-in table", job,
                             [] { return CliText(file, line); });
    text->add_option("KEY", file, "the key")->required();
    text->add_option("LINE", line, "one line of it, from 0")->check(CLI::Range(0, 1000000));
    CLI::App* check = Command(app, "check", "check an image file as File > Open does", job,
                              [] { return CliCheck(file); });
    check->add_option("FILE", file)->required();
    CLI::App* dump = Command(app, "dump", "show the settings an image file holds", job,
                             [] { return CliDump(file, json); });
    dump->add_option("FILE", file)->required();
    dump->add_flag("--json", json, "as JSON");
    CLI::App* created = Command(app, "new", "write a new document as File > New, then Save", job,
                                [] { return CliNew(file); });
    created->add_option("OUT", file)->required();
    CLI::App* sheet = Command(app, "sheet", "print the texts of a sheet over an image file", job,
                              [] { return CliSheet(file, second); });
    sheet->add_option("FILE", file)->required();
    sheet->add_option("SHEET", second)->required();
    CLI::App* set = Command(app, "set", "edit cells as the sheets do, then Save", job,
                            [] { return CliSet(file, edits, out); });
    set->add_option("FILE", file)->required();
    set->add_option("EDIT", edits,
                    "[CT_X.]CL_Y[n] then =TEXT, + (Space), - (Backspace) or @V (choose list "
                    "value V)")
        ->required();
    set->add_option("-o", out, "save to OUT instead of FILE");
    CLI::App* diff = Command(app, "diff",
                             "the differences of two image files as the sheets show "
                             "them",
                             job, [] { return CliDiffImages(file, second, json); });
    diff->add_option("A", file)->required();
    diff->add_option("B", second)->required();
    diff->add_flag("--json", json, "as JSON");
}

void AddCsvCommands(CLI::App& app, Job& job) {
    static std::string file;
    static std::string csv;
    static std::string out;
    static uint32_t list = cmcChType::kNone;
    const std::map<std::string, uint32_t> lists = {{"indv", cmcChType::kIndvList},
                                                   {"group", cmcChType::kGrpList}};
    CLI::App* exported = Command(app, "export-csv", "write one list of an image file as CSV", job,
                                 [] { return CliExportCsv(file, list, out); });
    exported->add_option("FILE", file)->required();
    exported->add_option("--list", list, "indv or group")
        ->required()
        ->transform(CLI::CheckedTransformer(lists));
    exported->add_option("-o", out, "the CSV file")->required();
    CLI::App* imported =
        Command(app, "import-csv",
                "read a list from CSV and save the image to OUT (or FILE); nothing is written "
                "on failure",
                job, [] { return CliImportCsv(file, list, csv, out); });
    imported->add_option("FILE", file)->required();
    imported->add_option("IN", csv, "the CSV file")->required();
    imported->add_option("--list", list, "indv or group")
        ->required()
        ->transform(CLI::CheckedTransformer(lists));
    imported->add_option("-o", out, "save to OUT instead of FILE");
}

void AddCloneCommands(CLI::App& app, Job& job) {
    static std::string file;
    static CliPortArgs port;
    CLI::App* info = Command(app, "info", "show the radio's model name and revision", job,
                             [] { return CliInfo(port); });
    AddPort(info, port);
    CLI::App* read = Command(app, "read", "read the radio into an image file", job,
                             [] { return CliRead(file, port); });
    read->add_option("-o", file, "the image file")->required();
    AddPort(read, port);
    const struct {
        const char* name;
        const char* what;
        int (*run)(const std::string&, const CliPortArgs&);
    } sending[] = {
        {"write", "write an image file to the radio", CliWrite},
        {"memwrite", "write only the memory part of an image file", CliMemWrite},
        {"verify", "read the radio and compare it with FILE over the ranges a write sends",
         CliVerify},
    };
    for (const auto& s : sending) {
        CLI::App* sub =
            Command(app, s.name, s.what, job, [run = s.run] { return run(file, port); });
        sub->add_option("FILE", file)->required();
        AddPort(sub, port);
    }
    Command(app, "search", "find the port the radio answers on", job, [] { return CliSearch(); });
}

void AddBatch(CLI::App& app, Job& job) {
    static CliBatchArgs args;
    CLI::App* batch = Command(app, "batch",
                              "program a fleet: each row of RADIOS.csv applied to TEMPLATE, "
                              "written to a radio and verified, one radio per port at a time",
                              job, [] { return CliBatch(args); });
    batch->add_option("TEMPLATE", args.templateFile, "the image every radio starts from")
        ->required();
    batch->add_option("--radios", args.radios, "the per-radio values, one row per radio")
        ->required();
    batch->add_option("--port", args.ports, "COM port number N (repeatable)")
        ->check(CLI::Range(1, 256));
    batch->add_option("--device", args.devices, "a serial device (repeatable)");
    batch->add_option("--log", args.log, "append a line per radio; rows verified are skipped");
    batch
        ->add_option("--wait", args.waitSeconds,
                     "seconds a port waits for a radio to answer (default 60, 0 no limit)")
        ->check(CLI::Range(0, 86400));
}

void AddPrint(CLI::App& app, Job& job) {
    static CliPrintArgs args;
    CLI::App* print =
        Command(app, "print",
                "print sheets of an image file to a PDF file (A4, 600 dpi by "
                "default)",
                job, [] {
                    if (args.all == !args.sheet.empty()) {
                        return CliUsageError("print takes either --sheet NAME or --all");
                    }
                    return CliPrint(args);
                });
    print->add_option("FILE", args.file)->required();
    CLI::Option* sheet = print->add_option("--sheet", args.sheet, "the sheet to print");
    print->add_flag("--all", args.all, "every sheet of the tree")->excludes(sheet);
    print->add_option("-o", args.out, "the PDF file")->required();
    print->add_option("--dpi", args.dpi, "resolution")->check(CLI::Range(72, 2400));
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
    const std::string help =
        g_subcommand.empty() ? "mxr77c-cli --help" : "mxr77c-cli " + g_subcommand + " --help";
    std::fprintf(stderr, "Try '%s'.\n", help.c_str());
    return CliExit::kUsage;
}

int main(int argc, char** argv) {
    CLI::App app("The command-line companion of MX-R77C.", "mxr77c-cli");
    app.footer(kExitStatus);
    app.require_subcommand(1);
    // --lang may come after the subcommand's own arguments.
    app.fallthrough();
    std::string language;
    app.add_option("--lang", language, "the language of the texts")
        ->check(CLI::IsMember({"ja", "en"}));
    Job job;
    AddFileCommands(app, job);
    AddCsvCommands(app, job);
    AddCloneCommands(app, job);
    AddBatch(app, job);
    AddPrint(app, job);
    if (argc < 2) {
        std::fputs(app.help().c_str(), stderr);
        return CliExit::kUsage;
    }
    if (std::string(argv[1]) == "help") {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return CliUsageError(e.what());
    }
    if (language.empty()) {
        UseStoredLanguage();
    } else {
        g_language = language == "en" ? BuiltinTable::kEnglish : BuiltinTable::kJapanese;
    }
    return job ? job() : CliUsageError("no subcommand");
}

#pragma once
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/cmcPrompt.h"

class cmcCsvFile;
class cmcDocument;
class cmcEvMan;
class cmcGTex;
class cuiSheet;
class indEnviron;

// File > Import and File > Export for the list sheets: the file dialogs, the
// question before the sheet is cleared, the busy cursor, the error box and
// the import report around one CSV file object. It works on the document's
// current and initial images and keeps nothing between commands, so the
// controller can make one for each command.
class cuiCsvCommands {
public:
    // The identification a file must carry: the controller's model and
    // extra code.
    struct Ids {
        uint32_t model;
        uint32_t extra;
    };

    // Events sent here.
    static constexpr uint32_t kCellsChanged = 13;
    static constexpr uint32_t kCommitEdit = 21;
    // The address book's kind: it has no file form, so its commands do
    // nothing.
    static constexpr int32_t kAddressBook = 5;

    // Everything given must outlive the commands; owner holds the report
    // window (the main window).
    cuiCsvCommands(cmcGTex& table, cmcPrompt& prompt, cmcEvMan& events, cmcDocument& document,
                   indEnviron& settings, Ids ids, QWidget* owner);

    // Each returns 0 on success, non-zero for a failure, a cancel or a
    // kind without these commands. Kind is the ChType of the shown sheet.
    int ImportWithDialog(int32_t kind);
    int ImportFile(int32_t kind, const std::string& path);
    int ExportWithDialog(int32_t kind);
    int ExportFile(int32_t kind, const std::string& path);

    // The kind of the sheet shown (its cells' link category); 0 without one.
    static int32_t SheetKind(const cuiSheet* shown);
    // The Import and Export menu states: a sheet is shown and allows it.
    static bool ImportEnabled(const cuiSheet* shown);
    static bool ExportEnabled(const cuiSheet* shown);

private:
    bool ConfirmImport();
    // The file work with its error box; the report's lines come back.
    int Import(int32_t kind, const std::string& path, std::vector<std::string>& report);
    cmcPrompt::FileRequest CsvRequest();
    void Bind(cmcCsvFile& csv);
    void Finish(const cmcCsvFile& csv, int32_t kind, const std::string& path, int result);
    std::string Caption();

    cmcGTex& m_table;
    cmcPrompt& m_prompt;
    cmcEvMan& m_events;
    cmcDocument& m_document;
    indEnviron& m_settings;
    Ids m_ids;
    QPointer<QWidget> m_owner;
};

#pragma once
#include <cstdint>
#include <string>
#include <vector>

class cmcDocument;
class cmcEvMan;
class indEnviron;
struct cmcCellCapsule;

// The main controller's commands by link: the state a menu or toolbar item
// shows and what choosing it does. Settings and document rules are served
// here; everything that needs a window goes to Actions.
class cmcCommandTable {
public:
    // What the window side carries out. Kinds are sheet kinds (ChType); 5
    // means the shown sheet has no list.
    class Actions {
    public:
        virtual ~Actions() = default;
        virtual void NewCommand() = 0;
        virtual void OpenCommand() = 0;
        virtual void SaveCommand() = 0;
        virtual void SaveAsCommand() = 0;
        virtual void RecentCommand(int32_t index) = 0;
        virtual void ExitCommand() = 0;
        virtual void ImportCommand(int32_t kind) = 0;
        virtual void ExportCommand(int32_t kind) = 0;
        virtual void PrintCommand(bool allSheets) = 0;
        // The shown sheet, when there is one.
        virtual bool SheetShown() = 0;
        virtual int32_t ShownSheetKind() = 0;
        virtual bool ShownSheetImportable() = 0;
        virtual bool ShownSheetExportable() = 0;
        virtual bool ShownSheetPrintable() = 0;
        // variant 0: number typed in, 1: registry ports, 2: named ports.
        virtual void PortDialog(int32_t variant) = 0;
        virtual void PortSearch() = 0;
        virtual void CloneReadCommand() = 0;
        virtual void CloneWriteCommand() = 0;
        virtual void MemoryWriteCommand() = 0;
        virtual void RadioInfoCommand() = 0;
        // The document against a file, or against what the radio holds.
        virtual void CompareFileCommand() = 0;
        virtual void CompareRadioCommand() = 0;
        virtual void ManualCommand() = 0;
        virtual void EditorCommand() = 0;
        virtual void ModelChange(int32_t model, bool reset) = 0;
        // True when the main menu has an item with this link.
        virtual bool MainMenuHas(int32_t link) = 0;
    };

    // Everything given must outlive the table.
    cmcCommandTable(cmcDocument& document, indEnviron& settings, cmcEvMan& events,
                    Actions& actions);

    // Sets the item's state in the request's cell; false for a link with no
    // behaviour here.
    bool State(int32_t link, cmcCellCapsule& request);
    void Execute(int32_t link, cmcCellCapsule& request);

    // The pop-up body the edit item carries while no sheet gives it one.
    static constexpr const char* kNoItemMenu = "GI_PMenu_NoItem";

private:
    enum class Command;
    struct Entry {
        int32_t link;
        Command command;
    };
    const Entry* Find(int32_t link) const;
    void SetStates(Command command, cmcCellCapsule& request);
    void Run(Command command, cmcCellCapsule& request);

    cmcDocument& m_document;
    indEnviron& m_settings;
    cmcEvMan& m_events;
    Actions& m_actions;
    std::vector<Entry> m_entries;
};

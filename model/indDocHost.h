#pragma once
#include <array>
#include <cstdint>
#include <string>

struct cmcCellCapsule;
class cmcEeprom;
class cmcEvMan;
class cmcGTex;
class cmcPrompt;
class datClipCh;

// What the cell link handler needs from the document it works on. The main
// controller implements it; tests use a fake. Everything here is owned by the
// host and outlives every request.
class indDocHost {
public:
    // The radio's 42-byte information record; byte 0 is its length.
    using RadioInfo = std::array<uint8_t, 42>;

    virtual ~indDocHost() = default;

    // The image being edited and the one a new document starts with.
    virtual cmcEeprom& CurrentImage() = 0;
    virtual cmcEeprom& InitialImage() = 0;
    virtual cmcGTex& Table() = 0;
    virtual cmcEvMan& Events() = 0;
    // Asks the clear and delete confirmations.
    virtual cmcPrompt& Prompt() = 0;
    // The user's record clipboard, kept for the whole run.
    virtual datClipCh& Clipboard() = 0;

    // After every writing request: restart the 250 ms warning-check delay
    // and compare the current image with the saved one.
    virtual void RestartChangeTimer() = 0;
    virtual void TestModified() = 0;

    // A command link (a menu, toolbar or tree item). CommandState reports the
    // item's state through the cell's flags (checked, hidden, disabled,
    // caption replaced) and returns false when the command has no behaviour,
    // so that the handler answers as for any such link. ExecuteCommand runs it.
    virtual bool CommandState(int32_t link, cmcCellCapsule& request) = 0;
    virtual void ExecuteCommand(int32_t link, cmcCellCapsule& request) = 0;
    // Opens a sheet by its reference, as a tree node does.
    virtual void CallSheet(const std::string& name) = 0;
    // How many items the main menu's edit item holds now.
    virtual int32_t EditMenuItemCount() = 0;

    // The last radio identification: model code and extra code, and the
    // information record.
    virtual uint16_t RadioModelCode() = 0;
    virtual uint16_t RadioExtraCode() = 0;
    virtual const RadioInfo& RadioInformation() = 0;
    // The current model's position in GI_AppInd_Model.
    virtual int32_t ModelIndex() = 0;
    // The program's revision text; empty when unknown.
    virtual std::string RevisionText() = 0;
};

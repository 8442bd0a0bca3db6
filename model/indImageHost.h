#pragma once
#include <string>

#include "model/cmcEeprom.h"
#include "model/datClipCh.h"
#include "model/indDocHost.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcPrompt.h"
#include "runtime/cmcVirtualTimerHost.h"

// A document with no window over one image: what the link handler needs to
// read and edit an image outside the main controller (comparisons, batch
// edits). Commands, sheets and the radio are not there, and nobody answers a
// question, so a question gets the answer that changes nothing. The choice
// list cache the codecs read labels from is the caller's to install.
class indImageHost : public indDocHost {
public:
    indImageHost(cmcEeprom& image, cmcGTex& table);
    indImageHost(const indImageHost&) = delete;
    indImageHost& operator=(const indImageHost&) = delete;

    cmcEeprom& CurrentImage() override { return m_image; }
    cmcEeprom& InitialImage() override { return m_initial; }
    cmcGTex& Table() override { return m_table; }
    cmcEvMan& Events() override { return m_events; }
    cmcPrompt& Prompt() override { return m_prompt; }
    datClipCh& Clipboard() override { return m_clipboard; }
    void RestartChangeTimer() override {}
    void TestModified() override {}
    bool CommandState(int32_t, cmcCellCapsule&) override { return false; }
    void ExecuteCommand(int32_t, cmcCellCapsule&) override {}
    void CallSheet(const std::string&) override {}
    int32_t EditMenuItemCount() override { return 0; }
    uint16_t RadioModelCode() override { return 0; }
    uint16_t RadioExtraCode() override { return 0; }
    const RadioInfo& RadioInformation() override { return m_info; }
    int32_t ModelIndex() override { return 0; }
    std::string RevisionText() override { return {}; }

private:
    class SilentPrompt : public cmcPrompt {
    public:
        Answer Message(const std::string&, const std::string&, Icon, Buttons buttons) override;
    };

    cmcEeprom& m_image;
    cmcGTex& m_table;
    cmcEeprom m_initial;
    cmcVirtualTimerHost m_timers;
    cmcEvMan m_events;
    SilentPrompt m_prompt;
    datClipCh m_clipboard;
    RadioInfo m_info{};
};

#pragma once
#include <string>

#include "runtime/cmcEvMan.h"
#include "app/cmcRevision.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "model/cmcEeprom.h"
#include "model/datClipCh.h"
#include "model/indActiveCell.h"
#include "model/indDocHost.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcFCache.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliPrompt.h"

// A document with no window: commands, sheets and the radio are not there.
// It installs the choice-list cache the codecs read labels from for its life.
class CliDocHost : public indDocHost {
public:
    explicit CliDocHost(cmcEeprom& image)
        : m_image(image), m_events(m_timers), m_choices(m_context) {
        m_initial.SetSize(image.GetSize());
        cmcFCache::Install(&m_choices);
    }
    ~CliDocHost() override { cmcFCache::Install(nullptr); }
    CliDocHost(const CliDocHost&) = delete;
    CliDocHost& operator=(const CliDocHost&) = delete;
    cmcEeprom& CurrentImage() override { return m_image; }
    cmcEeprom& InitialImage() override { return m_initial; }
    cmcGTex& Table() override { return CliTable(); }
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
    std::string RevisionText() override { return ProgramRevisionText(); }

private:
    cmcEeprom& m_image;
    cmcEeprom m_initial;
    cmcVirtualTimerHost m_timers;
    cmcEvMan m_events;
    CliPrompt m_prompt;
    datClipCh m_clipboard;
    RadioInfo m_info{};
    cmcCellContext m_context{CliTable(), indActiveCell::Names()};
    cmcFCache m_choices;
};

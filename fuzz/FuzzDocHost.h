#pragma once
// A document with no window for the harnesses that go through the link
// handler: the image, the table, events on virtual time, a quiet prompt and
// the choice-list cache the codecs read their labels from.
#include <string>

#include "FuzzSupport.h"
#include "app/cmcRevision.h"
#include "model/cmcEeprom.h"
#include "model/datClipCh.h"
#include "model/indActiveCell.h"
#include "model/indDocHost.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcFCache.h"

namespace fuzz {

class FuzzDocHost : public indDocHost {
public:
    explicit FuzzDocHost(cmcEeprom& image)
        : m_image(image), m_events(m_timers), m_choices(m_context) {
        m_initial.SetSize(image.GetSize());
        cmcFCache::Install(&m_choices);
    }
    ~FuzzDocHost() override { cmcFCache::Install(nullptr); }
    FuzzDocHost(const FuzzDocHost&) = delete;
    FuzzDocHost& operator=(const FuzzDocHost&) = delete;
    cmcEeprom& CurrentImage() override { return m_image; }
    cmcEeprom& InitialImage() override { return m_initial; }
    cmcGTex& Table() override { return fuzz::Table(); }
    cmcEvMan& Events() override { return m_events; }
    cmcPrompt& Prompt() override { return m_prompt; }
    datClipCh& Clipboard() override { return m_clipboard; }
    void RestartChangeTimer() override {}
    void TestModified() override {}
    bool CommandState(int32_t, cmcCellCapsule&) override { return true; }
    void ExecuteCommand(int32_t, cmcCellCapsule&) override {}
    void CallSheet(const std::string&) override {}
    int32_t EditMenuItemCount() override { return 0; }
    uint16_t RadioModelCode() override { return 0x4001; }
    uint16_t RadioExtraCode() override { return 0x0021; }
    const RadioInfo& RadioInformation() override { return m_info; }
    int32_t ModelIndex() override { return 0; }
    std::string RevisionText() override { return ProgramRevisionText(); }
    cmcVirtualTimerHost& Timers() { return m_timers; }
    RadioInfo& Information() { return m_info; }

private:
    cmcEeprom& m_image;
    cmcEeprom m_initial;
    cmcVirtualTimerHost m_timers;
    cmcEvMan m_events;
    QuietPrompt m_prompt;
    datClipCh m_clipboard;
    RadioInfo m_info{};
    cmcCellContext m_context{fuzz::Table(), indActiveCell::Names()};
    cmcFCache m_choices;
};

}  // namespace fuzz

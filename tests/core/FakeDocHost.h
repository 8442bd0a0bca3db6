#pragma once
// A document for the cell link handler's tests: real images, the built-in
// text table, a real event manager on virtual time, a prompt that answers as
// told, and a record of every call the handler makes into the document.
#include <string>
#include <vector>

#include "runtime/cmcEvMan.h"
#include "runtime/cmcPrompt.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "model/cmcEeprom.h"
#include "model/datClipCh.h"
#include "model/indActiveCell.h"
#include "model/indDocHost.h"
#include "model/indImageMap.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cmcFCache.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "util/Cp932.h"

namespace test {

class AnsweringPrompt : public cmcPrompt {
public:
    Answer Message(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) override {
        asked.push_back(text);
        lastCaption = caption;
        lastIcon = icon;
        lastButtons = buttons;
        return answer;
    }
    Answer answer = Answer::Ok;
    std::vector<std::string> asked;
    std::string lastCaption;
    Icon lastIcon = Icon::None;
    Buttons lastButtons = Buttons::Ok;
};

inline cmcGTex& BuiltinTableForTests() {
    static cmcGTex table;
    static bool loaded = table.SetLines(BuiltinTable::Lines());
    (void)loaded;
    return table;
}

// Code page 932 text from the UTF-8 of the test source.
inline std::string Sjis(const std::string& utf8) {
    return Cp932::FromUtf8(utf8).value_or("?");
}

struct HeardEvent {
    uint32_t code;
    int32_t p1;
    int32_t p2;
    std::string text;
};

class FakeDocHost : public indDocHost {
public:
    FakeDocHost() : m_events(m_timers), m_choices(m_context) {
        cmcFCache::Install(&m_choices);
        m_choices.openList = [this](cmcCellCapsule&, int32_t, int32_t value,
                                    const std::string& sheet) {
            listsOpened.push_back(sheet + "@" + std::to_string(value));
        };
        current.SetSize(indImageMap::kImageSize);
        initial.SetSize(indImageMap::kImageSize);
        m_events.Listen(cmcEvMan::Listener(this, &FakeDocHost::Hear));
    }
    ~FakeDocHost() override { m_events.Unlisten(cmcEvMan::Listener(this, &FakeDocHost::Hear)); }

    cmcEeprom& CurrentImage() override { return current; }
    cmcEeprom& InitialImage() override { return initial; }
    cmcGTex& Table() override { return BuiltinTableForTests(); }
    cmcEvMan& Events() override { return m_events; }
    cmcPrompt& Prompt() override { return prompt; }
    datClipCh& Clipboard() override { return clipboard; }
    void RestartChangeTimer() override { ++timerRestarts; }
    void TestModified() override { ++modifiedTests; }
    bool CommandState(int32_t link, cmcCellCapsule& request) override {
        stateAsked.push_back(link);
        if (link == knownCommand) {
            request.cell->userFlags |= commandFlags;
            return true;
        }
        return false;
    }
    void ExecuteCommand(int32_t link, cmcCellCapsule&) override { executed.push_back(link); }
    void CallSheet(const std::string& name) override { sheetsCalled.push_back(name); }
    int32_t EditMenuItemCount() override { return editMenuItems; }
    uint16_t RadioModelCode() override { return modelCode; }
    uint16_t RadioExtraCode() override { return extraCode; }
    const RadioInfo& RadioInformation() override { return info; }
    int32_t ModelIndex() override { return modelIndex; }
    std::string RevisionText() override { return revision; }

    std::vector<HeardEvent> Heard(uint32_t code) const {
        std::vector<HeardEvent> found;
        for (const HeardEvent& e : heard) {
            if (e.code == code) {
                found.push_back(e);
            }
        }
        return found;
    }

    cmcEeprom current;
    cmcEeprom initial;
    AnsweringPrompt prompt;
    datClipCh clipboard;
    int timerRestarts = 0;
    int modifiedTests = 0;
    int32_t knownCommand = -1;
    uint16_t commandFlags = 0;
    std::vector<int32_t> stateAsked;
    std::vector<int32_t> executed;
    std::vector<std::string> sheetsCalled;
    std::vector<std::string> listsOpened;
    int32_t editMenuItems = 1;
    uint16_t modelCode = 0x4001;
    uint16_t extraCode = 0x0021;
    RadioInfo info{};
    int32_t modelIndex = 0;
    std::string revision;
    std::vector<HeardEvent> heard;

private:
    void Hear(const cmcEvent& event) {
        heard.push_back({event.code, event.p1, event.p2, event.Text()});
    }
    cmcVirtualTimerHost m_timers;
    cmcEvMan m_events;
    cmcCellContext m_context{BuiltinTableForTests(), indActiveCell::Names()};
    cmcFCache m_choices;
};

// A cell with a category, link and index as a description would give it.
inline cmcCellObj CellOf(int32_t category, int32_t link, int32_t index) {
    cmcCellObj cell;
    cell.category = category;
    cell.link = link;
    cell.index = index;
    return cell;
}

}  // namespace test

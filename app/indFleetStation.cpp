#include "app/indFleetStation.h"

#include "app/indFleetObserver.h"
#include "model/indImageDiff.h"
#include "model/indImageMap.h"
#include "model/indModelRules.h"
#include "runtime/cmcTimerHost.h"
#include "util/cmcStr.h"

namespace {

// Nobody is connected yet, or the cable's port is not there (yet): go on
// waiting. Any other answer is a radio that is there and wrong.
bool NothingThere(int32_t result) {
    return result == cmcCloneDrv::kTimeout || result == cmcCloneDrv::kOpenFailed;
}

std::string DeviceIdOf(const cmcEeprom& radio) {
    return cmcStr::Format("%u-%u", radio.GetByte(indImageMap::kOwnMakerId),
                          radio.GetDword(indImageMap::kOwnIndividualNo));
}

}  // namespace

indFleetStation::indFleetStation(Port port, cmcGTex& table, indFleetObserver& observer,
                                 Timing timing)
    : m_name(port.name), m_table(table), m_observer(observer), m_timing(timing) {
    m_manager = std::make_unique<indCloneMan>(std::move(port.port), table,
                                              static_cast<indCloneObserver&>(*this));
    // This radio's driver settings, as the model controller sets them.
    m_manager->SetEchoCheck(false);
    m_manager->SetBlockSize(64);
    m_manager->SetSpeedSelector(0);
    m_manager->SetFixedSpeed(true);
    m_manager->SetImageSize(indModelRules::kImageSize);
    m_manager->SetSelectedPort(port.number);
    m_flow = std::make_unique<indCloneFlow>(*m_manager, table, static_cast<cmcPrompt&>(*this));
    m_flow->InstallChecks();
}

indFleetStation::~indFleetStation() {
    if (m_retryTimer != 0) {
        cmcTimerHost::Current().StopTimer(m_retryTimer);
    }
}

void indFleetStation::Start(int32_t row, const cmcEeprom& image, Finished finished) {
    m_row = row;
    m_image = image;
    m_finished = std::move(finished);
    m_entry = indFleetLog::Entry{};
    m_entry.row = row;
    m_entry.port = m_name;
    m_state = State::Waiting;
    m_waitStart = cmcTimerHost::Current().NowMs();
    m_observer.WaitingForRadio(row, m_name);
    Identify();
}

void indFleetStation::Identify() {
    if (!m_flow->StartRadioInfo([this](int32_t result) { Identified(result); })) {
        Retry();
    }
}

void indFleetStation::Identified(int32_t result) {
    if (m_state != State::Waiting) {
        return;  // stopped while the identification ran
    }
    if (NothingThere(result)) {
        const uint32_t waited = cmcTimerHost::Current().NowMs() - m_waitStart;
        if (m_timing.waitLimitMs != 0 && waited >= m_timing.waitLimitMs) {
            Finish(cmcStr::Format("no radio answered (%d)", result), "");
            return;
        }
        Retry();
        return;
    }
    if (result != 0) {
        Finish(cmcStr::Format("identify failed (%d)", result), "");
        return;
    }
    m_entry.model = m_flow->ModelNameText();
    m_entry.revision = m_flow->RevisionText();
    m_state = State::Writing;
    m_observer.Programming(m_row, m_name);
    m_sent = m_image;
    m_flow->StartCloneWrite(m_sent, false, [this](int32_t r) { Written(r); });
}

void indFleetStation::Retry() {
    m_retryTimer = cmcTimerHost::Current().StartTimer(m_timing.retryMs, [this] {
        cmcTimerHost::Current().StopTimer(m_retryTimer);
        m_retryTimer = 0;
        if (m_state == State::Waiting) {
            Identify();
        }
    });
}

void indFleetStation::Written(int32_t result) {
    if (result != 0) {
        Finish(cmcStr::Format("write failed (%d)", result), "");
        return;
    }
    m_state = State::Verifying;
    m_flow->StartCloneRead(m_radio, [this](int32_t r) { Read(r); });
}

void indFleetStation::Read(int32_t result) {
    if (result != 0) {
        Finish(cmcStr::Format("read-back failed (%d)", result), "not verified");
        return;
    }
    m_entry.deviceId = DeviceIdOf(m_radio);
    const size_t differing = indImageDiff::WrittenDifferences(m_image, m_radio).size();
    if (differing == 0) {
        Finish(indFleetLog::kVerified, "match");
    } else {
        Finish("differs", differing == 1
                              ? std::string("1 byte differs")
                              : cmcStr::Format("%d bytes differ", static_cast<int>(differing)));
    }
}

void indFleetStation::Finish(const std::string& result, const std::string& verification) {
    m_state = State::Idle;
    m_entry.result = result;
    m_entry.verification = verification;
    Finished finished = std::move(m_finished);
    m_finished = nullptr;
    finished(*this, m_entry);
}

void indFleetStation::StopWaiting() {
    if (m_state != State::Waiting) {
        return;
    }
    if (m_retryTimer != 0) {
        cmcTimerHost::Current().StopTimer(m_retryTimer);
        m_retryTimer = 0;
    }
    m_state = State::Idle;
    m_finished = nullptr;
}

void indFleetStation::ShowReport(const std::string& text, const std::string&) {
    // While waiting, every unanswered identification would report; the
    // waiting itself is what the person sees.
    if (m_state != State::Waiting) {
        m_observer.Message(m_name, text);
    }
}

cmcPrompt::Answer indFleetStation::Message(const std::string& text, const std::string&, Icon icon,
                                           Buttons) {
    // The success box of a write says nothing the log does not.
    if (icon != Icon::Information) {
        m_observer.Message(m_name, text);
    }
    return Answer::Ok;
}

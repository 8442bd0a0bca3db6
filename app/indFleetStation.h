#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "files/indFleetLog.h"
#include "link/cmcSerialPort.h"
#include "model/cmcEeprom.h"
#include "model/indCloneFlow.h"
#include "model/indCloneMan.h"
#include "model/indCloneObserver.h"
#include "runtime/cmcPrompt.h"

class cmcGTex;
class indFleetObserver;

// One port of a fleet batch: waits for a radio to answer (identify, again
// and again), writes a row's image to it, reads it back and compares. The
// clone manager's reports go to the batch's observer; its progress windows
// have nobody to show them.
class indFleetStation : private indCloneObserver, private cmcPrompt {
public:
    struct Port {
        std::string name;    // as the person named it
        int32_t number = 1;  // the COM port number the manager selects
        std::unique_ptr<cmcSerialPort> port;
    };
    struct Timing {
        uint32_t retryMs = 1000;       // between two identifications while waiting
        uint32_t waitLimitMs = 60000;  // a row fails when no radio answers so long; 0 waits on
    };
    using Finished = std::function<void(indFleetStation&, indFleetLog::Entry)>;

    indFleetStation(Port port, cmcGTex& table, indFleetObserver& observer, Timing timing);
    ~indFleetStation() override;
    indFleetStation(const indFleetStation&) = delete;
    indFleetStation& operator=(const indFleetStation&) = delete;

    // Starts on a row whose image is ready; finished runs once, with the
    // entry to log (its time left to the batch).
    void Start(int32_t row, const cmcEeprom& image, Finished finished);
    bool Idle() const { return m_state == State::Idle; }
    // A radio is being written or read: it is finished before a stop.
    bool HasRadio() const { return m_state == State::Writing || m_state == State::Verifying; }
    // Gives up waiting for a radio; the row stays undone (and unlogged).
    void StopWaiting();
    const std::string& Name() const { return m_name; }

private:
    enum class State { Idle, Waiting, Writing, Verifying };

    void Identify();
    void Identified(int32_t result);
    void Retry();
    void Written(int32_t result);
    void Read(int32_t result);
    void Finish(const std::string& result, const std::string& verification);

    // indCloneObserver
    void ShowProgress(const std::string&) override {}
    void UpdateProgress(int) override {}
    void HideProgress() override {}
    void EnableMainWindow(bool) override {}
    void ShowReport(const std::string& text, const std::string& caption) override;
    // cmcPrompt
    Answer Message(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) override;

    std::string m_name;
    cmcGTex& m_table;
    indFleetObserver& m_observer;
    Timing m_timing;
    std::unique_ptr<indCloneMan> m_manager;
    std::unique_ptr<indCloneFlow> m_flow;
    State m_state = State::Idle;
    int32_t m_row = 0;
    cmcEeprom m_image;
    cmcEeprom m_sent;
    cmcEeprom m_radio;
    Finished m_finished;
    indFleetLog::Entry m_entry;
    uint32_t m_waitStart = 0;
    int m_retryTimer = 0;
};

#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/indFleetStation.h"
#include "files/indFleetLog.h"
#include "files/indFleetRadios.h"
#include "model/cmcEeprom.h"

class cmcGTex;
class indFleetObserver;

// Programs a fleet: every row of the radios file applied to the template
// through the link handler, written to a radio and verified, one radio per
// port at a time, each outcome appended to the log. A failed radio is logged
// and the batch goes on; rows the log shows verified are skipped. It runs on
// the current timer host; the choice-list cache must be installed.
class indFleetBatch {
public:
    struct Summary {
        int verified = 0;  // this run
        int skipped = 0;   // verified by an earlier run
        int failed = 0;
        int notDone = 0;  // left when the batch was stopped
    };
    // The time stamp of a log line; the core reads no clock.
    using Clock = std::function<std::string()>;

    indFleetBatch(cmcGTex& table, indFleetObserver& observer, indFleetLog& log, Clock clock,
                  indFleetStation::Timing timing);
    ~indFleetBatch();
    indFleetBatch(const indFleetBatch&) = delete;
    indFleetBatch& operator=(const indFleetBatch&) = delete;

    void AddPort(indFleetStation::Port port);
    // Queues the rows not yet verified and starts every port.
    void Start(const cmcEeprom& image, const indFleetRadios& radios);
    // Takes no further row; radios being written or read are finished.
    void Stop();
    bool Done() const;
    const Summary& Result() const { return m_summary; }
    // Every row verified, now or before.
    bool AllVerified() const;

private:
    // The row's image, or a log entry saying why there is none.
    bool Prepare(const indFleetRadios::Row& row, cmcEeprom& image, indFleetLog::Entry& entry);
    void Feed(indFleetStation& station);
    void Finished(indFleetStation& station, indFleetLog::Entry entry);
    void Log(indFleetLog::Entry entry);

    cmcGTex& m_table;
    indFleetObserver& m_observer;
    indFleetLog& m_log;
    Clock m_clock;
    indFleetStation::Timing m_timing;
    std::vector<std::unique_ptr<indFleetStation>> m_stations;
    cmcEeprom m_template;
    const indFleetRadios* m_radios = nullptr;
    std::deque<indFleetRadios::Row> m_queue;
    bool m_stopping = false;
    Summary m_summary;
};

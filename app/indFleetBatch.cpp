#include "app/indFleetBatch.h"

#include "app/indFleetObserver.h"
#include "model/indActiveCell.h"
#include "model/indImageHost.h"
#include "model/indWarningCheck.h"

indFleetBatch::indFleetBatch(cmcGTex& table, indFleetObserver& observer, indFleetLog& log,
                             Clock clock, indFleetStation::Timing timing)
    : m_table(table),
      m_observer(observer),
      m_log(log),
      m_clock(std::move(clock)),
      m_timing(timing) {}

indFleetBatch::~indFleetBatch() = default;

void indFleetBatch::AddPort(indFleetStation::Port port) {
    m_stations.push_back(
        std::make_unique<indFleetStation>(std::move(port), m_table, m_observer, m_timing));
}

void indFleetBatch::Start(const cmcEeprom& image, const indFleetRadios& radios) {
    m_template = image;
    m_radios = &radios;
    for (const indFleetRadios::Row& row : radios.Rows()) {
        if (m_log.IsVerified(row.number)) {
            ++m_summary.skipped;
        } else {
            m_queue.push_back(row);
        }
    }
    for (const std::unique_ptr<indFleetStation>& station : m_stations) {
        Feed(*station);
    }
}

// Edits the template as the sheets would, then the data check every write
// passes. A refused value or a data error stops the row before any radio.
bool indFleetBatch::Prepare(const indFleetRadios::Row& row, cmcEeprom& image,
                            indFleetLog::Entry& entry) {
    image = m_template;
    indImageHost host(image, m_table);
    for (indCellEdit& edit : m_radios->EditsOf(row)) {
        const indCellEdit::Outcome outcome = edit.Apply(host);
        if (outcome != indCellEdit::Outcome::Applied) {
            m_observer.EditReported(row.number, edit, outcome);
        }
        if (outcome == indCellEdit::Outcome::Refused) {
            entry.result = "refused: " + edit.Source();
            return false;
        }
    }
    const int errors =
        indWarningCheck::Run(m_table, indActiveCell::Names(), indActiveCell::LinkFor(host)).errors;
    if (errors > 0) {
        entry.result = "data errors";
        return false;
    }
    return true;
}

void indFleetBatch::Feed(indFleetStation& station) {
    while (!m_stopping && !m_queue.empty()) {
        const indFleetRadios::Row row = m_queue.front();
        m_queue.pop_front();
        cmcEeprom image;
        indFleetLog::Entry entry;
        entry.row = row.number;
        if (Prepare(row, image, entry)) {
            station.Start(row.number, image,
                          [this](indFleetStation& s, indFleetLog::Entry e) { Finished(s, e); });
            return;
        }
        ++m_summary.failed;
        Log(entry);
    }
}

void indFleetBatch::Finished(indFleetStation& station, indFleetLog::Entry entry) {
    if (entry.result == indFleetLog::kVerified) {
        ++m_summary.verified;
    } else {
        ++m_summary.failed;
    }
    Log(std::move(entry));
    Feed(station);
}

void indFleetBatch::Log(indFleetLog::Entry entry) {
    entry.time = m_clock ? m_clock() : std::string();
    if (m_log.Append(entry) != 0) {
        // Without its log the batch would program radios nobody can account for.
        m_observer.Message("", "the log could not be written; stopping");
        Stop();
    }
    m_observer.RowDone(entry);
}

void indFleetBatch::Stop() {
    if (m_stopping) {
        return;
    }
    m_stopping = true;
    m_summary.notDone += static_cast<int>(m_queue.size());
    m_queue.clear();
    for (const std::unique_ptr<indFleetStation>& station : m_stations) {
        if (!station->HasRadio() && !station->Idle()) {
            station->StopWaiting();
            ++m_summary.notDone;
        }
    }
}

bool indFleetBatch::Done() const {
    for (const std::unique_ptr<indFleetStation>& station : m_stations) {
        if (!station->Idle()) {
            return false;
        }
    }
    return m_stopping || m_queue.empty();
}

bool indFleetBatch::AllVerified() const {
    return m_radios != nullptr && m_summary.failed == 0 && m_summary.notDone == 0 &&
           m_queue.empty() &&
           m_summary.verified + m_summary.skipped == static_cast<int>(m_radios->Rows().size());
}

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/cmcTask.h"
#include "link/cmcCloneDrv.h"
#include "model/indCloneObserver.h"
#include "util/cmcMethod.h"

class cmcGTex;

// Runs the clone jobs of the application: configures the driver, starts
// identify, read, write and port-search jobs, passes each result through the
// acceptance checks, reports failures once and then calls the job's own
// callback. It never touches the document.
class indCloneMan {
public:
    enum Job { kNone = 0, kIdentifyJob = 1, kReadJob = 2, kWriteJob = 3, kSearchJob = 4 };
    // Codes of this layer, next to the driver's.
    enum Result { kImageRejected = 9, kIdentityRejected = 12, kNobodyAnswered = 13 };
    using Check = cmcMethod<CloneResult&>;
    using Callback = cmcMethod<CloneResult&>;

    indCloneMan(std::unique_ptr<cmcSerialPort> port, cmcGTex& texts, indCloneObserver& observer);
    ~indCloneMan();
    indCloneMan(const indCloneMan&) = delete;
    indCloneMan& operator=(const indCloneMan&) = delete;

    void SetRequestCodes(int32_t codeA, int32_t codeB) { m_driver.SetRequestCodes(codeA, codeB); }
    void SetImageSize(int32_t bytes) {
        m_imageSize = bytes;
        m_driver.SetImageSize(bytes);
    }
    void SetEchoCheck(bool on) { m_driver.SetEchoCheck(on); }
    void SetBlockSize(int32_t bytes) { m_driver.SetBlockSize(bytes); }
    void SetSpeedSelector(int32_t selector) { m_speedSelector = selector; }
    void SetFixedSpeed(bool on) { m_driver.SetFixedSpeed(on); }
    void SetHighSpeed(bool on) { m_driver.SetHighSpeed(on); }
    // The application's selected port, used by every job but a search.
    void SetSelectedPort(int32_t port);
    int32_t SelectedPort() const { return m_selectedPort; }

    void SetIdentityCheck(Check check) { m_identityCheck = std::move(check); }
    void SetReadCheck(Check check) { m_readCheck = std::move(check); }
    void SetProbeCheck(Check check) { m_probeCheck = std::move(check); }

    bool StartIdentify(Callback done);
    // The range list stays the caller's; it must live until done has run.
    bool StartRead(const AddrRangeList& ranges, Callback done);
    bool StartWrite(const cmcEeprom& image, const AddrRangeList& ranges, Callback done);
    // Probes the candidate ports in turn until one answers.
    bool StartSearch(Callback done);
    bool IsBusy() const { return m_driver.IsBusy() || m_kind == kSearchJob; }

    void SetCandidates(std::vector<int32_t> ports);
    const std::vector<int32_t>& Candidates() const { return m_candidates; }
    // The port that answered the last search, valid after its success.
    int32_t AnsweringPort() const;

    // Segments of the bar filled now: 33 x done / total.
    int ProgressFilled() const;
    // The text the report shows for a result code.
    std::string ReportText(int32_t code) const;

private:
    void ConfigurePort(int32_t port);
    void StartJob(Job kind, int32_t total, int captionLine);
    void OnProgressTick(cmcTask& task);
    void OnDone(CloneResult& record);
    // True while a search still has candidates to probe after this failure.
    bool NextCandidate(CloneResult& record);
    void Finish(CloneResult& record);
    static void ApplyCheck(const Check& check, CloneResult& record, int32_t fallback);

    cmcGTex& m_texts;
    indCloneObserver& m_observer;
    cmcCloneDrv m_driver;
    Check m_identityCheck;
    Check m_readCheck;
    Check m_probeCheck;
    Callback m_jobCallback;
    int32_t m_total = 0;
    int32_t m_imageSize = 0;
    Job m_kind = kNone;
    int32_t m_speedSelector = 0;
    int32_t m_selectedPort = 1;
    std::vector<int32_t> m_candidates;
    size_t m_candidateIndex = 0;
    bool m_progressShown = false;
    cmcTask m_progressTimer;
};

#include "model/indCloneMan.h"

#include <utility>

#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace {

constexpr int32_t kProgressMs = 30;
constexpr int kSegments = 33;
const char kNormalSpeed[] = "9600,N,8,1";
const char kHighSpeed[] = "38400,N,8,1";
const char kHeadKey[] = "GI_Mess_CloneErr_Head";
const char kCheckKey[] = "GI_Mess_CloneErr_Check";
const char kCaptionKey[] = "GI_AppInd_Progress_Caption";
const char kTitleKey[] = "GI_Sys_AppTitle";
constexpr int kReadCaption = 1;
constexpr int kWriteCaption = 2;
constexpr int kSearchCaption = 3;
constexpr int kFooterLine = 9;

// The check-list lines that help with each failure.
std::vector<int> CheckLines(int32_t code) {
    switch (code) {
        case 10:
            return {0, 2, 3};
        case 12:
            return {0, 1, 2, 3, 5, 6};
        case 13:
            return {0, 2, 3, 5};
        case 2:
            return {0, 1, 2, 3};
        default:
            return {0, 1, 2, 3, -1, kFooterLine};  // -1: an empty line
    }
}

int32_t RangeBytes(const AddrRangeList& ranges, int32_t imageSize) {
    int32_t total = 0;
    ForEachValidRange(ranges, imageSize, [&total](const AddrRange& r) { total += r.last - r.first + 1; });
    return total;
}

}  // namespace

indCloneMan::indCloneMan(std::unique_ptr<cmcSerialPort> port, cmcGTex& texts, indCloneObserver& observer)
    : m_texts(texts), m_observer(observer), m_driver(std::move(port)) {
    m_progressTimer.SetHandler(cmcTask::Handler(this, &indCloneMan::OnProgressTick));
}

indCloneMan::~indCloneMan() { m_progressTimer.Detach(); }

void indCloneMan::SetSelectedPort(int32_t port) {
    m_selectedPort = port;
    m_driver.SetSelectedPort(port);
}

void indCloneMan::SetCandidates(std::vector<int32_t> ports) {
    if (!IsBusy()) {
        m_candidates = std::move(ports);
    }
}

int32_t indCloneMan::AnsweringPort() const {
    return m_candidateIndex < m_candidates.size() ? m_candidates[m_candidateIndex] : 0;
}

void indCloneMan::ConfigurePort(int32_t port) {
    m_driver.SetPort(port, m_speedSelector == 1 ? kHighSpeed : kNormalSpeed);
    m_driver.SetWaitReady(false);
    m_driver.SetWaitAck(true);
    m_driver.SetCountOption(false);
}

bool indCloneMan::StartIdentify(Callback done) {
    if (IsBusy()) {
        return false;
    }
    ConfigurePort(m_selectedPort);
    m_kind = kIdentifyJob;
    m_jobCallback = std::move(done);
    m_driver.StartIdentify(Callback(this, &indCloneMan::OnDone));
    m_observer.EnableMainWindow(false);
    return true;
}

bool indCloneMan::StartRead(const AddrRangeList& ranges, Callback done) {
    if (IsBusy()) {
        return false;
    }
    ConfigurePort(m_selectedPort);
    m_jobCallback = std::move(done);
    m_driver.StartRead(ranges, Callback(this, &indCloneMan::OnDone));
    StartJob(kReadJob, RangeBytes(ranges, m_imageSize), kReadCaption);
    return true;
}

bool indCloneMan::StartWrite(const cmcEeprom& image, const AddrRangeList& ranges, Callback done) {
    if (IsBusy()) {
        return false;
    }
    ConfigurePort(m_selectedPort);
    m_jobCallback = std::move(done);
    m_driver.StartWrite(image, ranges, Callback(this, &indCloneMan::OnDone));
    StartJob(kWriteJob, RangeBytes(ranges, m_imageSize), kWriteCaption);
    return true;
}

bool indCloneMan::StartSearch(Callback done) {
    if (IsBusy()) {
        return false;
    }
    m_candidateIndex = 0;
    m_jobCallback = std::move(done);
    StartJob(kSearchJob, static_cast<int32_t>(m_candidates.size()), kSearchCaption);
    return true;
}

void indCloneMan::StartJob(Job kind, int32_t total, int captionLine) {
    m_kind = kind;
    m_total = total;
    m_observer.EnableMainWindow(false);
    m_observer.ShowProgress(m_texts.GetLine(kCaptionKey, captionLine));
    m_progressShown = true;
    m_progressTimer.SetInterval(kProgressMs);
}

int indCloneMan::ProgressFilled() const {
    if (m_total <= 0) {
        return 0;
    }
    const int64_t done = m_kind == kSearchJob ? static_cast<int64_t>(m_candidateIndex) + 1 : m_driver.DataBytes();
    return static_cast<int>(kSegments * done / m_total);
}

void indCloneMan::OnProgressTick(cmcTask& task) {
    if (m_kind == kSearchJob && m_candidateIndex < m_candidates.size() && !m_driver.IsBusy()) {
        ConfigurePort(m_candidates[m_candidateIndex]);
        m_driver.StartProbe(Callback(this, &indCloneMan::OnDone));
    }
    m_observer.UpdateProgress(ProgressFilled());
    if (!m_driver.IsBusy()) {
        task.SetInterval(-1);
    }
}

void indCloneMan::ApplyCheck(const Check& check, CloneResult& record, int32_t fallback) {
    if (check) {
        check(record);
    } else {
        record.result = fallback;
    }
}

void indCloneMan::OnDone(CloneResult& record) {
    switch (record.operation) {
        case cmcCloneDrv::kIdentify:
            ApplyCheck(m_identityCheck, record, kIdentityRejected);
            break;
        case cmcCloneDrv::kRead:
            ApplyCheck(m_readCheck, record, cmcCloneDrv::kMissingData);
            break;
        case cmcCloneDrv::kProbe:
            ApplyCheck(m_probeCheck, record, kNobodyAnswered);
            if (NextCandidate(record)) {
                return;
            }
            break;
        default:
            break;
    }
    Finish(record);
}

bool indCloneMan::NextCandidate(CloneResult& record) {
    if (record.result == cmcCloneDrv::kOk) {
        m_progressTimer.SetInterval(-1);
        return false;
    }
    ++m_candidateIndex;
    if (m_candidateIndex < m_candidates.size()) {
        // The progress timer is still running and probes the next one.
        m_progressTimer.SetInterval(kProgressMs);
        return true;
    }
    record.result = kNobodyAnswered;
    m_progressTimer.SetInterval(-1);
    return false;
}

void indCloneMan::Finish(CloneResult& record) {
    if (record.result != cmcCloneDrv::kOk) {
        m_observer.ShowReport(ReportText(record.result), m_texts.GetLine(kTitleKey, 0));
    }
    if (m_progressShown) {
        m_observer.UpdateProgress(ProgressFilled());
        m_observer.HideProgress();
        m_progressShown = false;
    }
    m_kind = kNone;
    m_observer.EnableMainWindow(true);
    Callback done = std::move(m_jobCallback);
    m_jobCallback = Callback();
    if (done) {
        done(record);
    }
}

std::string indCloneMan::ReportText(int32_t code) const {
    if (code == cmcCloneDrv::kOk) {
        return {};
    }
    std::string text = m_texts.GetLine(kHeadKey, code);
    if (code == cmcCloneDrv::kOpenFailed) {
        text = cmcStr::Format(text.c_str(), m_selectedPort);
    }
    text += "\n\n";
    const std::vector<int> lines = CheckLines(code);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += "\n";
        }
        if (lines[i] >= 0) {
            text += m_texts.GetLine(kCheckKey, lines[i]);
        }
    }
    return text;
}

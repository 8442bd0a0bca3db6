#include "model/indCloneFlow.h"

#include <algorithm>
#include <utility>

#include "model/indModelRules.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace {

const char kTitleKey[] = "GI_Sys_AppTitle";
const char kCheckKey[] = "GI_Mess_CloneErr_Check";

}  // namespace

indCloneFlow::indCloneFlow(indCloneMan& manager, cmcGTex& texts, cmcPrompt& prompt)
    : m_manager(manager), m_texts(texts), m_prompt(prompt) {}

void indCloneFlow::InstallChecks() {
    m_manager.SetIdentityCheck(indCloneMan::Check(this, &indCloneFlow::IdentityCheck));
    m_manager.SetProbeCheck(indCloneMan::Check(this, &indCloneFlow::ProbeCheck));
    m_manager.SetReadCheck(indCloneMan::Check(this, &indCloneFlow::ReadCheck));
}

bool indCloneFlow::AcceptIdentity(CloneResult& record, bool allowNoExtra) {
    if (record.result != 0) {
        return false;
    }
    const cmcBuff& info = record.information;
    const bool extraOk = record.extraCode == indModelRules::kExtraCode || (allowNoExtra && record.extraCode == 0);
    const bool blockOk = info.Length() >= kInfoBytes && info[0] == info.Length();
    if (record.modelCode != indModelRules::kModelCode || !extraOk || !blockOk) {
        record.result = indCloneMan::kIdentityRejected;
        return false;
    }
    std::copy(info.Data(), info.Data() + kInfoBytes, m_information.begin());
    return true;
}

void indCloneFlow::IdentityCheck(CloneResult& record) {
    // A radio of extra code 0 is identified, so its information can be shown;
    // the write flows refuse it themselves.
    if (AcceptIdentity(record, true)) {
        m_modelCode = static_cast<uint16_t>(record.modelCode);
        m_extraCode = static_cast<uint16_t>(record.extraCode);
    }
}

void indCloneFlow::ProbeCheck(CloneResult& record) { AcceptIdentity(record, true); }

void indCloneFlow::ReadCheck(CloneResult& record) {
    if (record.result == 0 && !indModelRules::CheckLoadedImage(record.image)) {
        record.result = indCloneMan::kImageRejected;
    }
}

bool indCloneFlow::StartIdentify(uint16_t codeA, std::function<void(CloneResult&)> next) {
    m_manager.SetRequestCodes(codeA, 0);
    return m_manager.StartIdentify(indCloneMan::Callback(this, std::move(next)));
}

bool indCloneFlow::StartCloneRead(cmcEeprom& image, Done done) {
    if (m_manager.IsBusy()) {
        return false;
    }
    return StartIdentify(0, [this, &image, done](CloneResult& identity) {
        if (identity.result != 0) {
            done(identity.result);
            return;
        }
        m_ranges = indModelRules::GetRangeList(indModelRules::kRangeCloneRead);
        m_manager.SetImageSize(indModelRules::kImageSize);
        m_manager.StartRead(m_ranges, indCloneMan::Callback(this, [this, &image, done](CloneResult& read) {
            if (read.result == 0) {
                image.Assign(read.image);
                indModelRules::AfterLoad(image);
            }
            m_ranges.clear();
            done(read.result);
        }));
    });
}

bool indCloneFlow::StartCloneWrite(cmcEeprom& image, bool memoryOnly, Done done) {
    if (m_errorCount && m_errorCount() > 0) {
        Message(m_texts.GetBody("GI_Mess_DataError"), cmcPrompt::Icon::Stop);
        done(kDataErrors);
        return true;
    }
    if (m_manager.IsBusy()) {
        return false;
    }
    return StartIdentify(indModelRules::kModelCode, [this, &image, memoryOnly, done](CloneResult& identity) {
        if (identity.result != 0) {
            done(identity.result);
            return;
        }
        if (identity.extraCode != indModelRules::kExtraCode) {
            Message(m_texts.GetLine(kCheckKey, 7) + "\n\n" + m_texts.GetLine(kCheckKey, 0) + "\n" +
                        m_texts.GetLine(kCheckKey, 5),
                    cmcPrompt::Icon::Stop);
            done(kOtherExtraCode);
            return;
        }
        indModelRules::BeforeSave(image);
        m_ranges = indModelRules::GetRangeList(memoryOnly ? indModelRules::kRangeMemoryWrite
                                                          : indModelRules::kRangeCloneWrite);
        m_manager.SetImageSize(indModelRules::kImageSize);
        m_manager.StartWrite(image, m_ranges, indCloneMan::Callback(this, [this, done](CloneResult& write) {
            m_ranges.clear();
            if (write.result == 0) {
                Message(m_texts.GetBody("GI_Mess_CloneWrite_Succeeded"), cmcPrompt::Icon::Information);
            }
            done(write.result);
        }));
    });
}

bool indCloneFlow::StartRadioInfo(Done done) {
    if (m_manager.IsBusy()) {
        return false;
    }
    return StartIdentify(0, [done](CloneResult& identity) { done(identity.result); });
}

bool indCloneFlow::StartSearch(const std::vector<int32_t>& ports, Done done) {
    if (ports.empty()) {
        Message(m_texts.GetLine("GI_Mess_PortErr_Search", 0), cmcPrompt::Icon::Stop);
        done(indCloneMan::kNobodyAnswered);
        return true;
    }
    if (m_manager.IsBusy()) {
        return false;
    }
    m_manager.SetCandidates(ports);
    m_manager.SetRequestCodes(0, 0);
    return m_manager.StartSearch(indCloneMan::Callback(this, [this, done](CloneResult& probe) {
        if (probe.result == 0) {
            const int32_t port = m_manager.AnsweringPort();
            m_manager.SetSelectedPort(port);
            Message(cmcStr::Format(m_texts.GetLine("GI_Mess_PortSearch_Succeeded", 0).c_str(), port),
                    cmcPrompt::Icon::Information);
        }
        done(probe.result);
    }));
}

void indCloneFlow::Message(const std::string& text, cmcPrompt::Icon icon) {
    m_prompt.Message(text, m_texts.GetLine(kTitleKey, 0), icon, cmcPrompt::Buttons::Ok);
}

std::string indCloneFlow::ModelNameText() const {
    return m_texts.GetLine("GI_AppInd_Model", m_modelCode == indModelRules::kModelCode ? 0 : 2);
}

std::string indCloneFlow::RevisionText() const {
    return cmcStr::Format("%X.%X", m_information[1], m_information[2] >> 4);
}

#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "runtime/cmcPrompt.h"
#include "model/AddrRange.h"
#include "model/cmcEeprom.h"
#include "model/indCloneMan.h"

class cmcGTex;

// The model controller's clone flows for this radio, shared by the
// application and the command-line tool: what each job sends, the checks of
// its answers and what happens with its result. Confirmations before a write
// are the caller's; messages go through the prompt.
class indCloneFlow {
public:
    // Refusals before any contact with the radio or before writing.
    enum Refusal { kDataErrors = 20, kOtherExtraCode = 21, kBusy = 22 };
    static constexpr size_t kInfoBytes = 42;
    // Counts the errors of the current settings (the data-check gate).
    using ErrorCount = std::function<int()>;
    // Result 0 on success; otherwise a clone result code or a Refusal.
    using Done = std::function<void(int32_t result)>;

    indCloneFlow(indCloneMan& manager, cmcGTex& texts, cmcPrompt& prompt);
    void SetErrorCount(ErrorCount count) { m_errorCount = std::move(count); }

    // The acceptance checks installed in the manager.
    void InstallChecks();

    // Identify, then read the clone-read ranges. On success image holds the
    // received bytes after the load rules; the caller then sends event 26.
    bool StartCloneRead(cmcEeprom& image, Done done);
    // Data-check gate, identify, extra-code test, before-save rules on image,
    // then write the clone-write ranges (or the memory ranges).
    bool StartCloneWrite(cmcEeprom& image, bool memoryOnly, Done done);
    // Identify only; the identification and information are kept below.
    bool StartRadioInfo(Done done);
    // Probes the given ports; the answering one becomes the selected port.
    bool StartSearch(const std::vector<int32_t>& ports, Done done);

    // What the radio said of itself in the last accepted identification; the
    // clone information sheet reads these.
    uint16_t RadioModelCode() const { return m_modelCode; }
    uint16_t RadioExtraCode() const { return m_extraCode; }
    const std::array<uint8_t, kInfoBytes>& RadioInformation() const { return m_information; }
    // As the radio information sheet shows them: the model name of the table
    // for this radio's model code (else empty), and "%X.%X" of record byte 1
    // and the high half of byte 2.
    std::string ModelNameText() const;
    std::string RevisionText() const;

private:
    void IdentityCheck(CloneResult& record);
    void ProbeCheck(CloneResult& record);
    void ReadCheck(CloneResult& record);
    bool AcceptIdentity(CloneResult& record, bool allowNoExtra);
    bool StartIdentify(uint16_t codeA, std::function<void(CloneResult&)> next);
    void Message(const std::string& text, cmcPrompt::Icon icon);

    indCloneMan& m_manager;
    cmcGTex& m_texts;
    cmcPrompt& m_prompt;
    ErrorCount m_errorCount;
    AddrRangeList m_ranges;  // the running job's list, kept until it reports
    uint16_t m_modelCode = 0;
    uint16_t m_extraCode = 0;
    std::array<uint8_t, kInfoBytes> m_information{};
};

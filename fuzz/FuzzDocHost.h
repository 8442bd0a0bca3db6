#pragma once
// The window-less document of the core, for the harnesses that go through
// the link handler, with the choice-list cache the codecs read their labels
// from installed for its life, and a radio information block the input may
// fill.
#include "FuzzSupport.h"
#include "model/indActiveCell.h"
#include "model/indImageHost.h"
#include "model/indModelRules.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcFCache.h"

namespace fuzz {

class FuzzDocHost : public indImageHost {
public:
    explicit FuzzDocHost(cmcEeprom& image) : indImageHost(image, fuzz::Table()) {
        cmcFCache::Install(&m_choices);
    }
    ~FuzzDocHost() override { cmcFCache::Install(nullptr); }
    FuzzDocHost(const FuzzDocHost&) = delete;
    FuzzDocHost& operator=(const FuzzDocHost&) = delete;
    uint16_t RadioModelCode() override { return indModelRules::kModelCode; }
    uint16_t RadioExtraCode() override { return indModelRules::kExtraCode; }
    const RadioInfo& RadioInformation() override { return m_info; }
    RadioInfo& Information() { return m_info; }

private:
    RadioInfo m_info{};
    cmcCellContext m_context{fuzz::Table(), indActiveCell::Names()};
    cmcFCache m_choices{m_context};
};

}  // namespace fuzz

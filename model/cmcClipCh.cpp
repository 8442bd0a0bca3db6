#include "model/cmcClipCh.h"

#include <cstddef>

#include "model/cmcChType.h"

void cmcClipCh::Clear() {
    m_records.clear();
    m_chType = 0;
    m_from = 0;
    m_count = 0;
}

void cmcClipCh::Copy(cmcEeprom* image, uint32_t chType, int32_t from, int32_t count) {
    Clear();
    if (count <= 0) {
        return;
    }
    m_chType = chType;
    m_from = from;
    m_count = count;
    m_records.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        LoadOne(image, chType, from + i, m_records[static_cast<size_t>(i)]);
    }
}

void cmcClipCh::LoadOne(cmcEeprom* image, uint32_t chType, int32_t index, datCh& record) {
    record.SetImage(image);
    record.Load(chType, static_cast<uint32_t>(index));
}

bool cmcClipCh::CanPaste(uint32_t chType) const {
    return m_chType != 0 && m_chType == chType;
}

void cmcClipCh::Paste(cmcEeprom* image, uint32_t chType, int32_t at, int32_t count) {
    if (!CanPaste(chType)) {
        return;
    }
    for (int32_t i = 0; i < m_count && i < count; ++i) {
        StoreOne(image, chType, at + i, m_records[static_cast<size_t>(i)]);
    }
}

void cmcClipCh::StoreOne(cmcEeprom* image, uint32_t chType, int32_t index, datCh& record) {
    record.SetImage(image);
    if (chType == cmcChType::kGrpList) {
        // A group takes the ID of the row it lands on.
        uint32_t bankStart = cmcChType::GetBankFirst(chType, 0);
        record.id = static_cast<uint16_t>(static_cast<uint32_t>(index) - bankStart + 1);
    }
    record.Store(chType, static_cast<uint32_t>(index));
}

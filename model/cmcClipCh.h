#pragma once
#include <cstdint>
#include <vector>

#include "model/datCh.h"

class cmcEeprom;

// A clipboard of whole list records. The record data is copied, so what was
// copied survives a new document; only records of the same ChType paste.
class cmcClipCh {
public:
    virtual ~cmcClipCh() = default;

    // Empties the clipboard.
    virtual void Clear();
    // Replaces the content with count records of chType from index from on.
    virtual void Copy(cmcEeprom* image, uint32_t chType, int32_t from, int32_t count);
    virtual void LoadOne(cmcEeprom* image, uint32_t chType, int32_t index, datCh& record);
    // True when the clipboard holds records of chType.
    virtual bool CanPaste(uint32_t chType) const;
    // Stores at most count records from index at on; nothing for another ChType.
    virtual void Paste(cmcEeprom* image, uint32_t chType, int32_t at, int32_t count);
    virtual void StoreOne(cmcEeprom* image, uint32_t chType, int32_t index, datCh& record);

    uint32_t ChType() const { return m_chType; }
    int32_t From() const { return m_from; }
    int32_t Count() const { return m_count; }

private:
    std::vector<datCh> m_records;
    uint32_t m_chType = 0;
    int32_t m_from = 0;
    int32_t m_count = 0;
};

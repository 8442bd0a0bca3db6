#pragma once
#include <cstdint>

class cmcEeprom;

// One record of one list, loaded from and stored to an image as a whole.
// Individual records (ChType 6) and group records (ChType 7) have fields;
// for every other ChType the buffer holds only its ChType and index.
struct datCh {
    uint32_t chType = 0;
    uint32_t index = 0;
    cmcEeprom* image = nullptr;  // not owned
    uint8_t valid = 0;
    uint8_t name[13] = {};
    uint16_t id = 0;      // maker ID (ChType 6) or group ID (ChType 7)
    uint32_t number = 0;  // individual number (ChType 6)

    datCh() = default;
    explicit datCh(cmcEeprom* source) : image(source) {}

    void SetImage(cmcEeprom* source) { image = source; }

    // Clears every field but the image, then reads the record. An index
    // beyond the list loads nothing more, like an unknown ChType: a record
    // outside its list is never read from a neighbouring list's bytes.
    void Load(uint32_t type, uint32_t entry);
    // Writes the record; type 0 means the loaded ChType. Group records always
    // get ID entry + 1; the group valid bitmap is left to the caller. An index
    // beyond the list writes nothing.
    void Store(uint32_t type, uint32_t entry);
    void Reload() { Load(chType, index); }
    void StoreAndReload() {
        Store(chType, index);
        Load(chType, index);
    }

private:
    void LoadIndv();
    void LoadGrp();
    void StoreIndv();
    void StoreGrp();
    void ReadName(int32_t address);
    void WriteName(int32_t address);
};

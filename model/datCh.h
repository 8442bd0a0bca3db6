#pragma once
#include <cstdint>
#include <string>
#include <vector>

class cmcEeprom;
class cmcEvMan;

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

    // A value the row import adjusted or could not take, sent as event 25
    // with this record as its payload; the CSV file stamps the line numbers.
    struct Report {
        int32_t firstLine = 0;
        int32_t lastLine = 0;
        int32_t chType = 0;
        int32_t index = 0;
        int32_t column = 0;
        int32_t code = 0;
        int32_t reserved = 0;
    };
    static constexpr uint32_t kReportEvent = 25;
    static constexpr int32_t kReportIllegalInput = 1;
    static constexpr int32_t kReportAdjusted = 2;
    static constexpr int32_t kReportNotInList = 3;

    // The loaded record as the fields of a CSV row: the entry number
    // (index + 1), then the name and, for the individual list, maker ID and
    // individual ID. Empty for a ChType without a row form.
    std::vector<std::string> ExportRow() const;
    // Takes one CSV row for ChType `type` into the image: the entry its
    // number names is loaded, its fields converted as typed ones are, and
    // the entry stored. Returns 0, 10 for an entry number outside the list or
    // 6 for a wrong field count or a type without a row form. Adjusted or
    // refused values are reported through `events`.
    int32_t ImportRow(uint32_t type, const std::vector<std::string>& fields, cmcEvMan& events);

private:
    void LoadIndv();
    void LoadGrp();
    void StoreIndv();
    void StoreGrp();
    void ReadName(int32_t address);
    void ImportName(const std::string& field);
    void WriteName(int32_t address);
};

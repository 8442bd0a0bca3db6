#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/AddrRange.h"
#include "model/cmcEeprom.h"

class cmcGTex;
class cuiSheet;

// The differences between two images as a person reads them: each cell of
// the tree's sheets that shows another value, named by the sheet's title,
// the row and the column's label as the sheets show them, with both values
// as displayed. Bytes that change no sheet's text are listed by address.
// The choice-list cache the codecs read labels from must be installed.
class indImageDiff {
public:
    struct Difference {
        std::string sheet;  // the sheet's title; empty for a raw byte
        std::string row;    // the row's label (an entry number); may be empty
        std::string item;   // the column's label, or the address of a raw byte
        std::string first;  // the value in the first image, as displayed
        std::string second;
        int32_t address;  // -1 for a cell, else the byte's address
    };

    explicit indImageDiff(cmcGTex& table);
    ~indImageDiff();
    indImageDiff(const indImageDiff&) = delete;
    indImageDiff& operator=(const indImageDiff&) = delete;

    std::vector<Difference> Compare(const cmcEeprom& first, const cmcEeprom& second);

    // The addresses inside ranges where the two images differ.
    static std::vector<int32_t> DifferingAddresses(const cmcEeprom& first, const cmcEeprom& second,
                                                   const AddrRangeList& ranges);
    // What a radio that holds radio should hold after a clone write of file:
    // its own bytes outside the write's ranges (its device ID among them),
    // inside them the file's after the rules every write applies.
    static cmcEeprom ExpectedAfterWrite(const cmcEeprom& file, const cmcEeprom& radio);
    // The addresses where radio differs from that.
    static std::vector<int32_t> WrittenDifferences(const cmcEeprom& file, const cmcEeprom& radio);
    // The text a cell of a built sheet shows, its lines joined by a blank so
    // that a cell stays one line (the tool's sheet print uses it too).
    static std::string CellText(cuiSheet& sheet, int32_t col, int32_t row);

private:
    using Grid = std::vector<std::vector<std::string>>;

    std::vector<Grid> Paint(const cmcEeprom& image);
    void CellDifferences(size_t sheet, const Grid& first, const Grid& second,
                         std::vector<Difference>& out) const;
    std::string RowLabel(const cuiSheet& sheet, const Grid& grid, int32_t row) const;
    std::string ColLabel(const cuiSheet& sheet, const Grid& grid, int32_t col) const;
    bool Shown(const cmcEeprom& first, const cmcEeprom& second, int32_t address,
               const std::vector<Grid>& firstPainted, const std::vector<Grid>& secondPainted);

    cmcGTex& m_table;
    std::vector<std::unique_ptr<cuiSheet>> m_sheets;
};

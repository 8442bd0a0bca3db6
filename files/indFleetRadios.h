#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/indCellEdit.h"

// The radios of a fleet: a CSV file (code page 932, or UTF-8 with a
// byte-order mark) whose header names the per-radio values by their links
// ("CL_DigCall_SelfName", "CL_IndvList_Name[3]", "CT_GrpList.CL_GrpList_Name[0]")
// and whose every further line is one radio. An empty field keeps the
// template's value.
class indFleetRadios {
public:
    struct Row {
        int32_t number;                   // 1 for the first line after the header
        std::vector<std::string> values;  // code page 932, one per column
    };

    // Returns an empty string when the file is usable, else what is wrong.
    std::string Load(const std::string& path);
    // The same from the file's bytes.
    std::string Parse(const std::string& bytes);

    const std::vector<indCellEdit>& Columns() const { return m_columns; }
    const std::vector<Row>& Rows() const { return m_rows; }
    // The edits of one row, the empty fields left out.
    std::vector<indCellEdit> EditsOf(const Row& row) const;

private:
    std::vector<indCellEdit> m_columns;
    std::vector<Row> m_rows;
};

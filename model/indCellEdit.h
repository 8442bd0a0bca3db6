#pragma once
#include <cstdint>
#include <string>

#include "sheet/cmcCellObj.h"

class indDocHost;

// One edit of a cell, written as "[CT_X.]LINK[n]" followed by "=TEXT"
// (commit TEXT as the in-cell editor does), "+" (Space), "-" (Backspace) or
// "@V" (choose list value V). It is applied with the very requests a sheet
// sends, so the codecs clamp, cut and refuse exactly as they do on screen.
// The command-line tool's set and the fleet batch share it.
class indCellEdit {
public:
    enum class Kind { Commit, Space, Backspace, Choose };
    // What became of a commit: taken as given, taken after the codec changed
    // it (clamped, cut, converted), or refused (the image is unchanged).
    enum class Outcome { Applied, Adjusted, Refused };

    // Parses a whole edit whose text is UTF-8. Returns an empty string on
    // success, else what is wrong (English, for a usage message).
    static std::string Parse(const std::string& edit, indCellEdit& out);
    // Parses only the cell part, "[CT_X.]LINK[n]". A list link without a
    // category takes its list's category when inferCategory is set.
    static std::string ParseTarget(const std::string& target, indCellEdit& out,
                                   bool inferCategory = false);

    void SetCommit(std::string cp932Text);
    void SetChoice(int32_t value);
    void SetKey(Kind kind);

    // Applies the edit to the host's current image.
    Outcome Apply(indDocHost& host);
    // The cell's text after Apply, as a sheet shows it (code page 932).
    const std::string& ShownText() const { return m_shown; }
    // The edit as written, for reports.
    const std::string& Source() const { return m_source; }
    const cmcCellObj& Cell() const { return m_cell; }
    Kind GetKind() const { return m_kind; }
    const std::string& Text() const { return m_text; }

private:
    int Send(indDocHost& host, Kind kind, int32_t choice);
    std::string Query(indDocHost& host);
    bool ChooseByLabel(indDocHost& host);
    bool MeansCurrentValue(indDocHost& host);

    cmcCellObj m_cell;
    Kind m_kind = Kind::Commit;
    std::string m_text;  // code page 932, for a commit
    int32_t m_choice = 0;
    std::string m_shown;
    std::string m_source;
};

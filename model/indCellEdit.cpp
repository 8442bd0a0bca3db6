#include "model/indCellEdit.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/indActiveCell.h"
#include "model/indActiveCellIds.h"
#include "model/indDocHost.h"
#include "model/indLinkNames.h"
#include "sheet/cmcCellCapsule.h"
#include "util/Cp932.h"

namespace {

// Choice lists of this radio hold a handful of values; a label is searched
// among these.
constexpr int32_t kMaxChoices = 32;

std::optional<int32_t> IdOf(std::string_view name, bool category) {
    const int32_t count = category ? indLinkNames::kCategoryCount : indLinkNames::kLinkCount;
    for (int32_t id = 0; id < count; ++id) {
        if ((category ? indLinkNames::CategoryName(id) : indLinkNames::LinkName(id)) == name) {
            return id;
        }
    }
    return std::nullopt;
}

std::optional<int32_t> Number(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The list a link of a list sheet belongs to, named as the sheets name it:
// CL_IndvList_* edits CT_IndvList records, CL_GrpList_* CT_GrpList records.
std::optional<int32_t> ListCategoryOf(std::string_view link) {
    for (std::string_view list : {"IndvList", "GrpList"}) {
        const std::string prefix = "CL_" + std::string(list) + "_";
        if (link.substr(0, prefix.size()) == prefix) {
            return IdOf("CT_" + std::string(list), true);
        }
    }
    return std::nullopt;
}

bool SameBytes(const cmcEeprom& a, const cmcEeprom& b) {
    return a.GetSize() == b.GetSize() && std::equal(a.Data(), a.Data() + a.GetSize(), b.Data());
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string indCellEdit::ParseTarget(const std::string& whole, indCellEdit& out,
                                     bool inferCategory) {
    std::string target = whole;
    out.m_cell = cmcCellObj{};
    out.m_source = whole;
    const size_t bracket = target.find('[');
    if (bracket != std::string::npos) {
        std::optional<int32_t> index;
        if (target.back() == ']') {
            index =
                Number(std::string_view(target).substr(bracket + 1, target.size() - bracket - 2));
        }
        if (!index) {
            return "'" + whole + "' has a bad index";
        }
        out.m_cell.index = *index;
        target.resize(bracket);
    }
    const size_t dot = target.find('.');
    if (dot != std::string::npos) {
        const std::optional<int32_t> category = IdOf(target.substr(0, dot), true);
        if (!category) {
            return "unknown category in '" + whole + "'";
        }
        out.m_cell.category = *category;
        target.erase(0, dot + 1);
    }
    const std::optional<int32_t> link = IdOf(target, false);
    if (!link) {
        return "unknown link in '" + whole + "'";
    }
    out.m_cell.link = *link;
    if (dot == std::string::npos && inferCategory) {
        out.m_cell.category = ListCategoryOf(target).value_or(cmcCellObj::kNoCategory);
    }
    const uint32_t chType = indLinkNames::ChTypeOf(out.m_cell.category);
    if (chType != 0 && static_cast<uint32_t>(out.m_cell.index) > cmcChType::GetRange(chType).last) {
        return "index out of the list in '" + whole + "'";
    }
    return {};
}

std::string indCellEdit::Parse(const std::string& edit, indCellEdit& out) {
    const size_t op = edit.find_first_of("=+-@");
    if (op == std::string::npos) {
        return "edit '" + edit + "' has no =TEXT, +, - or @V";
    }
    std::string error = ParseTarget(edit.substr(0, op), out);
    if (!error.empty()) {
        return "edit " + error;
    }
    out.m_source = edit;
    const std::string value = edit.substr(op + 1);
    switch (edit[op]) {
        case '=': {
            const std::optional<std::string> text = Cp932::FromUtf8(value);
            if (!text) {
                return "text of '" + edit + "' has a character the radio cannot hold";
            }
            out.SetCommit(*text);
            return {};
        }
        case '@': {
            const std::optional<int32_t> choice = Number(value);
            if (!choice) {
                return "edit '" + edit + "' chooses no number";
            }
            out.SetChoice(*choice);
            return {};
        }
        default:
            out.SetKey(edit[op] == '+' ? Kind::Space : Kind::Backspace);
            return value.empty() ? std::string() : "edit '" + edit + "' has text after the key";
    }
}

void indCellEdit::SetCommit(std::string cp932Text) {
    m_kind = Kind::Commit;
    m_text = std::move(cp932Text);
}

void indCellEdit::SetChoice(int32_t value) {
    m_kind = Kind::Choose;
    m_choice = value;
}

void indCellEdit::SetKey(Kind kind) {
    m_kind = kind;
}

// The requests a sheet sends: the editor's commit, a key, a chosen entry.
int indCellEdit::Send(indDocHost& host, Kind kind, int32_t choice) {
    int editHost = 0;
    cmcCellObj cell = m_cell;
    cmcCellCapsule request;
    request.cell = &cell;
    request.editHost = &editHost;
    cmcCellObj entry;
    cmcCellCapsule chosen;
    switch (kind) {
        case Kind::Commit:
            request.origin = cmcCellCapsule::kOriginEditor;
            request.inText = m_text;
            break;
        case Kind::Space:
            request.request = cmcCellCapsule::kRequestSpace;
            break;
        case Kind::Backspace:
            request.request = cmcCellCapsule::kRequestBackspace;
            break;
        case Kind::Choose:
            entry.link = indActiveCellIds::kFlex0;
            entry.index = choice;
            chosen.cell = &entry;
            request.parent = &chosen;
            request.origin = cmcCellCapsule::kOriginChoice;
            break;
    }
    return indActiveCell(host).Handle(request, true);
}

std::string indCellEdit::Query(indDocHost& host) {
    cmcCellObj cell = m_cell;
    cmcCellCapsule request;
    request.cell = &cell;
    indActiveCell(host).Handle(request, false);
    return request.outText;
}

// A choice cell takes no typed text; the text names one of its labels
// instead ("ON", "OFF"), found by choosing each value on a copy.
bool indCellEdit::ChooseByLabel(indDocHost& host) {
    cmcEeprom& image = host.CurrentImage();
    const cmcEeprom before = image;
    for (int32_t value = 0; value < kMaxChoices; ++value) {
        Send(host, Kind::Choose, value);
        if (Trimmed(Query(host)) == Trimmed(m_text)) {
            return true;
        }
        image = before;
    }
    return false;
}

indCellEdit::Outcome indCellEdit::Apply(indDocHost& host) {
    const cmcEeprom before = host.CurrentImage();
    Send(host, m_kind, m_choice);
    m_shown = Query(host);
    if (m_kind != Kind::Commit || Trimmed(m_shown) == Trimmed(m_text)) {
        return Outcome::Applied;
    }
    if (!SameBytes(host.CurrentImage(), before) || MeansCurrentValue(host)) {
        return Outcome::Adjusted;
    }
    if (ChooseByLabel(host)) {
        m_shown = Query(host);
        return Outcome::Applied;
    }
    return Outcome::Refused;
}

// A commit that changed nothing either named the value the cell holds in
// other words ("007" for 7) or was refused. Stepped away from that value
// first, the commit brings it back only in the first case.
bool indCellEdit::MeansCurrentValue(indDocHost& host) {
    cmcEeprom& image = host.CurrentImage();
    const cmcEeprom before = image;
    Send(host, Kind::Space, 0);
    bool same = false;
    if (!SameBytes(image, before)) {
        Send(host, Kind::Commit, 0);
        same = SameBytes(image, before);
    }
    image = before;
    return same;
}

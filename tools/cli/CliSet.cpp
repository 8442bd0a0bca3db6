// set FILE EDIT... [-o OUT]: edits an image file cell by cell, through the
// same link handler, and with the same requests, as the sheets use.
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "files/FileErr.h"
#include "files/indImageFile.h"
#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/datClipCh.h"
#include "model/indActiveCell.h"
#include "model/indActiveCellIds.h"
#include "model/indDocHost.h"
#include "model/indLinkNames.h"
#include "model/indModelRules.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cmcFCache.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliDocHost.h"
#include "tools/cli/CliPrompt.h"
#include "util/Cp932.h"

namespace {

enum class EditKind { Commit, Space, Backspace, Choose };

struct Edit {
    cmcCellObj cell;
    EditKind kind = EditKind::Commit;
    std::string text;    // code page 932, for a commit
    int32_t choice = 0;  // for a choice
};

std::optional<int32_t> IdOf(const std::string& name, bool category) {
    int32_t count = category ? indLinkNames::kCategoryCount : indLinkNames::kLinkCount;
    for (int32_t id = 0; id < count; ++id) {
        std::string_view known =
            category ? indLinkNames::CategoryName(id) : indLinkNames::LinkName(id);
        if (known == name) {
            return id;
        }
    }
    return std::nullopt;
}

std::optional<int32_t> Number(const std::string& text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    return std::stoi(text);
}

// "[CT_X.]LINK[n]" then "=TEXT", "+", "-" or "@V"; an error text on failure.
std::string ParseEdit(const std::string& arg, Edit& edit) {
    size_t op = arg.find_first_of("=+-@");
    if (op == std::string::npos) {
        return "edit '" + arg + "' has no =TEXT, +, - or @V";
    }
    std::string target = arg.substr(0, op);
    std::string value = arg.substr(op + 1);
    edit.cell.index = 0;
    size_t bracket = target.find('[');
    if (bracket != std::string::npos) {
        if (target.back() != ']') {
            return "edit '" + arg + "' has a bad index";
        }
        std::optional<int32_t> index =
            Number(target.substr(bracket + 1, target.size() - bracket - 2));
        if (!index) {
            return "edit '" + arg + "' has a bad index";
        }
        edit.cell.index = *index;
        target.resize(bracket);
    }
    size_t dot = target.find('.');
    if (dot != std::string::npos) {
        std::optional<int32_t> category = IdOf(target.substr(0, dot), true);
        if (!category) {
            return "unknown category in '" + arg + "'";
        }
        edit.cell.category = *category;
        target.erase(0, dot + 1);
    }
    std::optional<int32_t> link = IdOf(target, false);
    if (!link) {
        return "unknown link in '" + arg + "'";
    }
    edit.cell.link = *link;
    uint32_t chType = indLinkNames::ChTypeOf(edit.cell.category);
    if (chType != 0 && static_cast<uint32_t>(edit.cell.index) > cmcChType::GetRange(chType).last) {
        return "index out of the list in '" + arg + "'";
    }
    switch (arg[op]) {
        case '=': {
            edit.kind = EditKind::Commit;
            std::optional<std::string> text = Cp932::FromUtf8(value);
            if (!text) {
                return "text of '" + arg + "' has a character the radio cannot hold";
            }
            edit.text = *text;
            return std::string();
        }
        case '@': {
            edit.kind = EditKind::Choose;
            std::optional<int32_t> choice = Number(value);
            if (!choice) {
                return "edit '" + arg + "' chooses no number";
            }
            edit.choice = *choice;
            return std::string();
        }
        default:
            edit.kind = arg[op] == '+' ? EditKind::Space : EditKind::Backspace;
            return value.empty() ? std::string() : "edit '" + arg + "' has text after the key";
    }
}

// The requests a sheet sends: the editor's commit, a key, a chosen entry.
void Apply(indDocHost& host, Edit& edit) {
    int editHost = 0;
    cmcCellCapsule request;
    request.cell = &edit.cell;
    request.editHost = &editHost;
    cmcCellObj entry;
    cmcCellCapsule chosen;
    switch (edit.kind) {
        case EditKind::Commit:
            request.origin = cmcCellCapsule::kOriginEditor;
            request.inText = edit.text;
            break;
        case EditKind::Space:
            request.request = cmcCellCapsule::kRequestSpace;
            break;
        case EditKind::Backspace:
            request.request = cmcCellCapsule::kRequestBackspace;
            break;
        case EditKind::Choose:
            entry.link = indActiveCellIds::kFlex0;
            entry.index = edit.choice;
            chosen.cell = &entry;
            request.parent = &chosen;
            request.origin = cmcCellCapsule::kOriginChoice;
            break;
    }
    indActiveCell(host).Handle(request, true);
}

}  // namespace

int CliSet(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size() || !out.empty()) {
                return CliUsageError("-o takes one OUT file");
            }
            out = args[++i];
        } else {
            rest.push_back(args[i]);
        }
    }
    if (rest.size() < 2) {
        return CliUsageError("set takes FILE and at least one EDIT");
    }
    std::vector<Edit> edits(rest.size() - 1);
    for (size_t i = 1; i < rest.size(); ++i) {
        std::string error = ParseEdit(rest[i], edits[i - 1]);
        if (!error.empty()) {
            return CliUsageError(error);
        }
    }
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    int result = CliOpenImage(rest[0], image);
    if (result != FileErr::kNone) {
        return result;
    }
    CliDocHost host(image);
    for (Edit& edit : edits) {
        Apply(host, edit);
    }
    CliPrompt prompt;
    return indImageFile(CliTable(), &prompt).Save(out.empty() ? rest[0] : out, image);
}

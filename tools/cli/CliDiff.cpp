// diff A B [--json]: the differences between two image files as the sheets
// show them.
#include <string>
#include <vector>

#include "files/FileErr.h"
#include "model/cmcEeprom.h"
#include "model/indImageDiff.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliDocHost.h"
#include "tools/cli/CliJson.h"

namespace {

// A value for the terminal: control characters in a file must not reach it raw.
std::string Shown(const std::string& cp932) {
    std::string out;
    for (char c : cp932) {
        const auto u = static_cast<unsigned char>(c);
        out += u < 0x20 || u == 0x7F ? "?" : std::string(1, c);
    }
    return out;
}

CliJsonValue Json(const std::vector<indImageDiff::Difference>& differences) {
    CliJsonValue list = CliJsonValue::array();
    for (const indImageDiff::Difference& d : differences) {
        CliJsonValue entry;
        entry["sheet"] = CliJsonText(d.sheet);
        entry["row"] = CliJsonText(d.row);
        entry["item"] = CliJsonText(d.item);
        entry["first"] = CliJsonText(d.first);
        entry["second"] = CliJsonText(d.second);
        entry["address"] = d.address >= 0 ? CliJsonValue(d.address) : CliJsonValue(nullptr);
        list.push_back(std::move(entry));
    }
    CliJsonValue out;
    out["same"] = differences.empty();
    out["differences"] = std::move(list);
    return out;
}

}  // namespace

void CliPrintDifferences(const std::vector<indImageDiff::Difference>& differences, bool json) {
    if (json) {
        CliJsonPrint(Json(differences));
        return;
    }
    for (const indImageDiff::Difference& d : differences) {
        CliPrintOut(Shown(d.sheet) + "\t" + Shown(d.row) + "\t" + Shown(d.item) + "\t" +
                    Shown(d.first) + "\t" + Shown(d.second) + "\n");
    }
}

int CliDiffImages(const std::string& first, const std::string& second, bool json) {
    cmcEeprom a;
    cmcEeprom b;
    for (auto [path, image] : {std::pair{&first, &a}, std::pair{&second, &b}}) {
        const int error = CliOpenImage(*path, *image);
        if (error != FileErr::kNone) {
            return CliExit::kDiffTrouble;
        }
    }
    CliDocHost choices(a);  // installs the choice lists the codecs read labels from
    const std::vector<indImageDiff::Difference> differences =
        indImageDiff(CliTable()).Compare(a, b);
    CliPrintDifferences(differences, json);
    return differences.empty() ? 0 : 1;
}

#include <cstdio>
#include <string>

#include "files/FileErr.h"
#include "model/cmcEeprom.h"
#include "model/indRadioSettings.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliJson.h"
#include "util/Cp932.h"
#include "util/cmcStr.h"

namespace {

// A name for the terminal: control characters in a file must not reach it
// raw, so they show as \xNN.
std::string TextName(const std::string& cp932) {
    std::string out;
    for (char c : Cp932::ToUtf8(cp932)) {
        unsigned char u = static_cast<unsigned char>(c);
        out += u < 0x20 || u == 0x7F ? cmcStr::Format("\\x%02X", u) : std::string(1, c);
    }
    return out;
}

CliJsonValue Json(const indRadioSettings& s) {
    CliJsonValue out;
    out["self"] = {{"maker_id", s.makerId},
                   {"individual_no", s.individualNo},
                   {"name", CliJsonText(s.name)},
                   {"tx_my_name", s.txMyName}};
    out["individual"] = CliJsonValue::array();
    for (const indRadioSettings::Individual& e : s.individuals) {
        out["individual"].push_back({{"no", e.no},
                                     {"valid", e.valid},
                                     {"name", CliJsonText(e.name)},
                                     {"maker_id", e.makerId},
                                     {"individual_no", e.individualNo}});
    }
    out["groups"] = CliJsonValue::array();
    for (const indRadioSettings::Group& g : s.groups) {
        out["groups"].push_back({{"id", g.id}, {"name", CliJsonText(g.name)}});
    }
    return out;
}

// Plain text: one block per list, names as the sheets show them.
std::string Text(const indRadioSettings& s) {
    std::string out =
        cmcStr::Format("Device ID      %u-%u\nDevice name    %s\nSend name      %s\n", s.makerId,
                       s.individualNo, TextName(s.name).c_str(), s.txMyName != 0 ? "ON" : "OFF");
    out += "\nIndividual list\nNo. Valid Maker Individual Name\n";
    for (const indRadioSettings::Individual& e : s.individuals) {
        out += cmcStr::Format("%3d %5d %5u %10u %s\n", e.no, e.valid, e.makerId, e.individualNo,
                              TextName(e.name).c_str());
    }
    out += "\nGroup list\n ID Name\n";
    for (const indRadioSettings::Group& g : s.groups) {
        out += cmcStr::Format("%3u %s\n", g.id, TextName(g.name).c_str());
    }
    return out;
}

}  // namespace

int CliDump(const std::string& file, bool json) {
    cmcEeprom image;
    int result = CliOpenImage(file, image);
    if (result != FileErr::kNone) {
        return result;
    }
    indRadioSettings settings = indRadioSettings::Read(image);
    if (json) {
        CliJsonPrint(Json(settings));
    } else {
        std::fputs(Text(settings).c_str(), stdout);
    }
    return FileErr::kNone;
}

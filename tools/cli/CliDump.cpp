#include <cstdio>
#include <string>

#include "files/FileErr.h"
#include "model/cmcEeprom.h"
#include "model/indRadioSettings.h"
#include "tools/cli/Cli.h"
#include "util/Cp932.h"
#include "util/cmcStr.h"

namespace {

// A JSON string of a code page 932 name. The conversion replaces what does
// not decode, so the output is valid UTF-8 whatever the image holds.
std::string JsonString(const std::string& cp932) {
    std::string out = "\"";
    for (char c : Cp932::ToUtf8(cp932)) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += cmcStr::Format("\\u%04X", u);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

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

std::string Json(const indRadioSettings& s) {
    std::string out = cmcStr::Format(
        "{\"self\":{\"maker_id\":%u,\"individual_no\":%u,\"name\":%s,\"tx_my_name\":%d},"
        "\"individual\":[",
        s.makerId, s.individualNo, JsonString(s.name).c_str(), s.txMyName);
    for (size_t i = 0; i < s.individuals.size(); ++i) {
        const indRadioSettings::Individual& e = s.individuals[i];
        out += cmcStr::Format(
            "%s{\"no\":%d,\"valid\":%d,\"name\":%s,\"maker_id\":%u,"
            "\"individual_no\":%u}",
            i == 0 ? "" : ",", e.no, e.valid, JsonString(e.name).c_str(), e.makerId,
            e.individualNo);
    }
    out += "],\"groups\":[";
    for (size_t i = 0; i < s.groups.size(); ++i) {
        const indRadioSettings::Group& g = s.groups[i];
        out += cmcStr::Format("%s{\"id\":%u,\"name\":%s}", i == 0 ? "" : ",", g.id,
                              JsonString(g.name).c_str());
    }
    return out + "]}\n";
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

int CliDump(const std::vector<std::string>& args) {
    bool json = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg.rfind("--", 0) == 0) {
            return CliUsageError("dump knows no option '" + arg + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
        return CliUsageError("dump takes one FILE and an optional --json");
    }
    cmcEeprom image;
    int result = CliOpenImage(files[0], image);
    if (result != FileErr::kNone) {
        return result;
    }
    indRadioSettings settings = indRadioSettings::Read(image);
    std::fputs((json ? Json(settings) : Text(settings)).c_str(), stdout);
    return FileErr::kNone;
}

#include "tools/sim/SimOptions.h"

#include <cstdlib>
#include <functional>
#include <map>

#include "tools/sim/SimRadio.h"

namespace {

bool Number(const std::string& text, int base, long low, long high, long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, base);
    return *end == '\0' && value >= low && value <= high;
}

bool HexBytes(const std::string& text, std::vector<uint8_t>& bytes) {
    if (text.size() % 2 != 0)
        return false;
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        long value = 0;
        if (!Number(text.substr(i, 2), 16, 0, 255, value))
            return false;
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return true;
}

bool Revision(const std::string& text, std::vector<uint8_t>& block) {
    const size_t dot = text.find('.');
    long major = 0;
    long minor = 0;
    if (dot == std::string::npos || !Number(text.substr(0, dot), 16, 0, 255, major) ||
        !Number(text.substr(dot + 1), 16, 0, 15, minor))
        return false;
    block = SimRadio::DefaultInformation(static_cast<uint8_t>(major), static_cast<uint8_t>(minor));
    return true;
}

using Flag = bool SimConfig::Faults::*;

const std::map<std::string, Flag>& FaultFlags() {
    static const std::map<std::string, Flag> flags = {
        {"--silent", &SimConfig::Faults::silent},
        {"--bad-checksum", &SimConfig::Faults::badChecksum},
        {"--lowercase-hex", &SimConfig::Faults::lowercaseHex},
        {"--missing-frame", &SimConfig::Faults::missingFrame},
        {"--extra-address", &SimConfig::Faults::extraAddress},
        {"--beyond-image", &SimConfig::Faults::beyondImage},
        {"--refuse", &SimConfig::Faults::refuse},
        {"--not-go-on", &SimConfig::Faults::notGoOn},
        {"--accepted-01", &SimConfig::Faults::acceptedOne},
        {"--no-accepted", &SimConfig::Faults::noAccepted},
        {"--echo", &SimConfig::Faults::echo},
        {"--noise", &SimConfig::Faults::noise},
        {"--stop-midway", &SimConfig::Faults::stopMidway},
    };
    return flags;
}

bool Valued(const std::string& name, const std::string& value, SimOptions& o) {
    long n = 0;
    if (name == "--device")
        o.device = value;
    else if (name == "--memory")
        o.memoryFile = value;
    else if (name == "--baud" && Number(value, 10, 50, 4000000, n))
        o.baud = static_cast<int32_t>(n);
    else if (name == "--model" && Number(value, 16, 0, 0xFFFF, n))
        o.radio.modelCode = static_cast<uint16_t>(n);
    else if (name == "--extra" && Number(value, 16, 0, 0xFFFF, n))
        o.radio.extraCode = static_cast<uint16_t>(n);
    else if (name == "--frame-size" && Number(value, 10, 1, 255, n))
        o.radio.frameSize = static_cast<int32_t>(n);
    else if (name == "--ack" && Number(value, 16, 0, 255, n))
        o.radio.ackByte = static_cast<uint8_t>(n);
    else if (name == "--bad-cell" && Number(value, 16, 0, 0xFFFF, n))
        o.radio.badCell = static_cast<int32_t>(n);
    else if (name == "--read-last" && Number(value, 16, 0, 0xFFFF, n))
        o.radio.readLast = static_cast<int32_t>(n);
    else if (name == "--info")
        return HexBytes(value, o.radio.information);
    else if (name == "--revision")
        return Revision(value, o.radio.information);
    else
        return false;
    return true;
}

}  // namespace

bool SimOptions::Parse(const std::vector<std::string>& args, SimOptions& o, std::string& error) {
    o.radio.information = SimRadio::DefaultInformation(1, 0);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto fault = FaultFlags().find(arg);
        if (fault != FaultFlags().end())
            o.radio.faults.*(fault->second) = true;
        else if (arg == "--no-pace")
            o.pace = false;
        else if (arg == "--once")
            o.once = true;
        else if (arg == "--help" || arg == "-h")
            o.help = true;
        else if (i + 1 < args.size() && arg.rfind("--", 0) == 0 && Valued(arg, args[i + 1], o))
            ++i;
        else {
            error = "bad option or value: " + arg;
            return false;
        }
    }
    return true;
}

const char* SimOptions::HelpText() {
    return "Usage: r77c-sim [OPTION]...\n"
           "A simulated KT-R77C radio. Without --device it makes a pseudo-terminal and prints\n"
           "the path of its slave side as the first line of standard output. It answers\n"
           "identify, read and write until SIGTERM or SIGINT (or --once).\n"
           "\n"
           "Line and memory:\n"
           "  --device PATH      use this serial device instead of a pseudo-terminal\n"
           "  --memory FILE      keep the memory in this .rcf file (read at start when it\n"
           "                     exists, replaced atomically after every completed write)\n"
           "  --baud N           line rate both directions are paced at (default 9600): a\n"
           "                     frame is answered once its last byte would have arrived\n"
           "  --no-pace          take frames and send answers at once, for fast tests\n"
           "  --once             exit after the first completed read or write\n"
           "\n"
           "Identity:\n"
           "  --model HEX        model code (default 4001)\n"
           "  --extra HEX        extra code (default 0021; 0 allowed)\n"
           "  --revision M.N     information block of 42 bytes with revision M.N (hex digits;\n"
           "                     default 1.0)\n"
           "  --info HEX         the whole information block as hex bytes\n"
           "  --frame-size N     data bytes per read frame, 1-255 (default 32)\n"
           "  --read-last HEX    last address a read sends, from 0 (default 0B73)\n"
           "  --ack HEX          go-on byte answering each written frame (default F0)\n"
           "\n"
           "Faults (any number):\n"
           "  --silent           never answer\n"
           "  --bad-checksum     read: the first data frame has a wrong checksum\n"
           "  --lowercase-hex    read: the first data frame uses lowercase hex digits\n"
           "  --missing-frame    read: the second data frame is left out\n"
           "  --extra-address    read: one more frame just after the read range\n"
           "  --beyond-image     read: one more frame reaching past the end of the image\n"
           "  --refuse           write: answer data frames with FA\n"
           "  --not-go-on        write: answer data frames with 06\n"
           "  --accepted-01      write: answer the end with E6 01 (memory unchanged)\n"
           "  --no-accepted      write: never answer the end (memory unchanged)\n"
           "  --echo             send every received byte back first, as some cables do\n"
           "  --noise            stray bytes before every frame\n"
           "  --stop-midway      fall silent halfway through a read or write\n"
           "  --bad-cell HEX     write: the byte at this address is stored with its bits\n"
           "                     inverted (the write is accepted; a read-back differs)\n"
           "  -h, --help         this text\n";
}

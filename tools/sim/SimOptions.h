#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/sim/SimConfig.h"

// The simulator's command line.
struct SimOptions {
    SimConfig radio;
    std::string device;      // empty: make a pseudo-terminal
    std::string memoryFile;  // the .rcf the memory lives in; empty: memory only
    int32_t baud = 9600;
    bool pace = true;
    bool once = false;
    bool help = false;

    // Fills options from argv (without the program name); false with a
    // message in error on a bad option.
    static bool Parse(const std::vector<std::string>& args, SimOptions& options,
                      std::string& error);
    static const char* HelpText();
};

#pragma once
#include <cstdint>
#include <string>
#include <vector>

class cmcEeprom;

// The settings this radio's sheets show, read out of an image in one go for
// listings and reports. Names are code page 932, cut at their first 0 byte
// within the 12 text bytes.
struct indRadioSettings {
    struct Individual {
        int no;     // 1..30
        int valid;  // 0 or 1
        std::string name;
        uint32_t makerId;
        uint32_t individualNo;
    };
    struct Group {
        uint32_t id;
        std::string name;
    };

    uint32_t makerId = 0;
    uint32_t individualNo = 0;
    std::string name;
    int txMyName = 0;
    std::vector<Individual> individuals;
    std::vector<Group> groups;

    static indRadioSettings Read(cmcEeprom& image);
};

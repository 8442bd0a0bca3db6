#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Everything the simulated radio is told on its command line.
struct SimConfig {
    // Faults; several may be on at once.
    struct Faults {
        bool silent = false;         // never answer
        bool badChecksum = false;    // read: first data frame's checksum off by one
        bool lowercaseHex = false;   // read: first data frame in lowercase hex
        bool missingFrame = false;   // read: the second data frame is left out
        bool extraAddress = false;   // read: one frame beyond the range sent
        bool beyondImage = false;    // read: one frame past the end of the image
        bool refuse = false;         // write: answer data with 0xFA
        bool notGoOn = false;        // write: answer data with 0x06
        bool acceptedOne = false;    // write: end answered with E6 01
        bool noAccepted = false;     // write: end not answered
        bool echo = false;           // every received byte sent back first
        bool noise = false;          // stray bytes before every frame
        bool stopMidway = false;     // fall silent halfway through a read or write
    };

    uint16_t modelCode = 0x4001;
    uint16_t extraCode = 0x0021;
    std::vector<uint8_t> information;  // the identity's information block
    int32_t imageSize = 2949;
    int32_t readFirst = 0x0000;
    int32_t readLast = 0x0B73;
    int32_t frameSize = 32;  // data bytes per read frame
    uint8_t ackByte = 0xF0;
    // write: the cell at this address stores what it is sent with every bit
    // inverted, so that a read-back differs from the write; -1 for none.
    int32_t badCell = -1;
    Faults faults;
};

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/cmcSerialPort.h"

// A port for the clone commands: by number through the port map, or on the
// given device path. Null when this build has no serial port.
std::unique_ptr<cmcSerialPort> CliMakePort(const std::string& devicePath);
// The port the application has selected, 1 when none is stored.
int CliSelectedPort();
// The port numbers that open now, ascending.
std::vector<int32_t> CliScanPorts();

// Exit statuses of refusals before anything is written to the radio.
namespace CliCloneExit {
constexpr int kDataErrors = 20;
constexpr int kOtherExtraCode = 21;
constexpr int kFileRejected = 22;
constexpr int kNoPort = 23;
// verify: the radio holds other data than the file over the written ranges.
constexpr int kDiffers = 30;
// batch: not every row of the radios file was verified.
constexpr int kNotAllVerified = 31;
}  // namespace CliCloneExit

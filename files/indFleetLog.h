#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

// The batch's log, one CSV line per radio attempted (UTF-8 with a byte-order
// mark, so spreadsheets read its names): time, row, port, the device ID read
// from the radio, model and revision it reported, result, verification. It
// doubles as the fleet's inventory, and a batch started again with the same
// log skips the rows it shows verified.
class indFleetLog {
public:
    struct Entry {
        std::string time;
        int32_t row = 0;
        std::string port;
        std::string deviceId;
        std::string model;  // code page 932
        std::string revision;
        std::string result;
        std::string verification;
    };
    static constexpr const char* kVerified = "verified";

    // Reads an existing log; a missing file is an empty log. False when the
    // file exists but is not a log of this kind.
    bool Open(const std::string& path);
    // Adds a line, replacing the file in one step (never left half-written).
    // Returns the FileErr code of the write.
    int Append(const Entry& entry);

    bool IsVerified(int32_t row) const { return m_verified.count(row) != 0; }
    size_t VerifiedCount() const { return m_verified.size(); }

private:
    std::string m_path;
    std::string m_content;
    std::set<int32_t> m_verified;
};

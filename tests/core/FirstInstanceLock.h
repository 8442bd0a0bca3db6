#pragma once
#include <string>

#include "files/cmcInstanceLock.h"

namespace test {

// A lock that always makes this process the first instance, so settings
// objects in tests load and save as the first copy of the program does.
class FirstInstanceLock : public cmcInstanceLock {
public:
    bool Acquire(const std::string&) override { return true; }
    void Release() override {}
    bool AlertFirst() override { return false; }
};

}  // namespace test

#pragma once
#include <string>

// Keeps a second copy of the program from sharing the first one's settings.
// The first process to acquire a name holds it until it releases it or ends.
class cmcInstanceLock {
public:
    virtual ~cmcInstanceLock() = default;

    // True when this process now holds the name, i.e. it is the first instance.
    virtual bool Acquire(const std::string& name) = 0;
    // Gives the name up; nothing happens when it is not held.
    virtual void Release() = 0;
    // From a second instance: asks the holder to bring its window to the
    // user's attention. False when no holder answered.
    virtual bool AlertFirst() = 0;
};

#include "files/cmcMemoryKeyStore.h"
#include "tools/cli/CliSettings.h"

cmcKeyStore& CliKeyStore() {
    static cmcMemoryKeyStore store;
    return store;
}

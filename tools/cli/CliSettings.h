#pragma once

#include "files/cmcKeyStore.h"

// The user's settings store, the same the application uses; a build without
// Qt keeps the defaults in memory.
cmcKeyStore& CliKeyStore();

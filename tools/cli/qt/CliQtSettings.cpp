#include "files/indSettingsPlace.h"
#include "files/qt/cmcQtKeyStore.h"
#include "tools/cli/CliSettings.h"

cmcKeyStore& CliKeyStore() {
    static cmcQtKeyStore store(QString::fromUtf8(indSettingsPlace::kOrganisation),
                               QString::fromUtf8(indSettingsPlace::kApplication),
                               indSettingsPlace::kKeyPath);
    return store;
}

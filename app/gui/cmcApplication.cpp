#include "app/gui/cmcApplication.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

#include "app/cmcEvMan.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcImageLists.h"
#include "app/gui/cmcQtPrompt.h"
#include "app/gui/cmcQtText.h"
#include "app/gui/indMain.h"
#include "app/qt/cmcQtTimerHost.h"
#include "files/indEnviron.h"
#include "files/qt/cmcQtInstanceLock.h"
#include "files/qt/cmcQtKeyStore.h"
#include "text/cmcGTex.h"
#include "util/cmcFatal.h"

namespace {

const char kLockName[] = "VARTEK MX-R77C APP Exclusive Mutex";
const char kKeyPath[] = "Software\\VARTEK INCORPORATED\\MX-R77C";

indScreenSize ScreenSize() {
    QScreen* screen = QGuiApplication::primaryScreen();
    QSize size = screen != nullptr ? screen->size() : QSize(1024, 768);
    return {size.width(), size.height()};
}

void InstallFatalBox(cmcGTex& table) {
    cmcSetFatalShower([&table](cmcFatalCaption caption, const std::string& text) {
        QString title = caption == cmcFatalCaption::AppTitle && table.HasKey("GI_Sys_AppTitle")
                            ? cmcQtText::FromCp932(table.GetLine("GI_Sys_AppTitle", 0))
                            : QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QMessageBox::critical(nullptr, title, QString::fromStdString(text));
    });
}

}  // namespace

int cmcRunApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    cmcQtTimerHost timers;
    cmcTimerHost::Scope timerScope(timers);
    // Settings first and gone last, so the first copy saves them after
    // everything else has been taken down.
    cmcQtInstanceLock lock;
    cmcQtKeyStore store(QStringLiteral("VARTEK INCORPORATED"), QStringLiteral("MX-R77C"), kKeyPath);
    indEnviron settings(lock, store, kLockName, kKeyPath, ScreenSize());
    if (!settings.IsFirstInstance()) {
        lock.AlertFirst();
        return 0;
    }
    cmcGTex table;
    cmcEvMan events(timers);
    cmcQtPrompt prompt;
    indMain controller(table, settings, events, prompt);
    InstallFatalBox(table);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setWindowIcon(cmcImageLists::Tree().value(0));

    TForm1 window;
    prompt.SetOwner(&window);
    window.setWindowTitle(cmcQtText::FromCp932(table.GetLine("GI_Sys_AppTitle", 0)));
    QObject::connect(&lock, &cmcQtInstanceLock::alertRequested, &window, &TForm1::Alert);
    controller.SetArguments(QApplication::arguments());
    controller.Startup(window, cmcImageLists::Tree(), cmcImageLists::Toolbar());
    int status = QApplication::exec();
    cmcSetFatalShower(nullptr);
    return status;
}

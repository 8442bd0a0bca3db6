#include "app/gui/cmcApplication.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>

#include "runtime/cmcEvMan.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcDemoRadio.h"
#include "app/gui/cmcImageLists.h"
#include "app/gui/cmcQtPrompt.h"
#include "app/gui/cmcQtText.h"
#include "app/gui/indMain.h"
#include "runtime/qt/cmcQtTimerHost.h"
#include "files/cmcCompanionFiles.h"
#include "files/indEnviron.h"
#include "files/indSettingsPlace.h"
#include "files/qt/cmcQtInstanceLock.h"
#include "files/qt/cmcQtKeyStore.h"
#include "link/cmcPortMap.h"
#include "text/cmcGTex.h"
#include "util/cmcFatal.h"

namespace {

const char kLockName[] = "VARTEK MX-R77C APP Exclusive Mutex";
const char* const kKeyPath = indSettingsPlace::kKeyPath;

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

// "--demo": the simulated radio answers on the selected port for this run.
// The switch is ours, not the radio family's, so the command line proper
// never sees it.
void StartDemo(QStringList& arguments, cmcDemoRadio& demo, int32_t port) {
    if (!arguments.removeAll(QStringLiteral("--demo"))) {
        return;
    }
    // The simulator is a program beside this one; its start image is a
    // companion file, wherever this tree keeps those.
    const cmcCompanionFiles companions = cmcCompanionFiles::ForThisProgram();
    const QString sim = QDir(cmcQtText::FromPath(companions.ExeFolder())).filePath(QStringLiteral("r77c-sim"));
    if (!demo.Start(sim, port, cmcQtText::FromPath(companions.PathOf("MXR77C.rcs")))) {
        std::fprintf(stderr, "mxr77c: the simulated radio did not start; running without it\n");
    }
}

}  // namespace

int cmcRunApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    cmcQtTimerHost timers;
    cmcTimerHost::Scope timerScope(timers);
    // Settings first and gone last, so the first copy saves them after
    // everything else has been taken down.
    cmcQtInstanceLock lock;
    cmcQtKeyStore store(QString::fromUtf8(indSettingsPlace::kOrganisation),
                        QString::fromUtf8(indSettingsPlace::kApplication), kKeyPath);
    indEnviron settings(lock, store, kLockName, kKeyPath, ScreenSize());
    if (!settings.IsFirstInstance()) {
        lock.AlertFirst();
        return 0;
    }
    // Port numbers name devices through the settings' own port table.
    cmcPortMap::SetProcess(cmcPortMap(&store, kKeyPath));
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
    QStringList arguments = QApplication::arguments();
    cmcDemoRadio demo;
    StartDemo(arguments, demo, settings.comPort);
    controller.SetArguments(arguments);
    controller.Startup(window, cmcImageLists::Tree(), cmcImageLists::Toolbar());
    int status = QApplication::exec();
    cmcSetFatalShower(nullptr);
    cmcPortMap::SetProcess(cmcPortMap());
    return status;
}

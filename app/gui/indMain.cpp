#include "app/gui/indMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/cmcPathName.h"
#include "app/cmcPrompt.h"
#include "app/indCommandLine.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcQtText.h"
#include "files/indEnviron.h"
#include "model/indModelRules.h"
#include "text/cmcGTex.h"

indMain::indMain(cmcGTex& table, indEnviron& settings, cmcEvMan& events, cmcPrompt& prompt)
    : cuiMain(table, settings, events, prompt, "MXR77C", indModelRules::kImageSize) {
    InitModel();
}

void indMain::InitModel() {
    m_modelCode = indModelRules::kModelCode;
    m_extraCode = indModelRules::kExtraCode;
    // This radio has no high-speed link.
    Settings().comSpeedHigh = 0;
}

void indMain::Startup(TForm1& window, const QList<QIcon>& treeImages,
                      const QList<QIcon>& toolbarImages) {
    std::vector<std::string> args;
    for (const QString& argument : m_arguments) {
        args.push_back(cmcQtText::ToPath(argument));
    }
    indCommandLine line(
        args, cmcQtText::ToPath(QCoreApplication::applicationFilePath()),
        cmcQtText::ToPath(QDir::currentPath()),
        [](const std::string& path) { return QFileInfo(cmcQtText::FromPath(path)).isFile(); },
        Settings());
    m_writeAfterOpen = line.writeAfterOpen;
    cuiMain::Startup(window, treeImages, toolbarImages);
    InitModel();
    if (line.fileExists) {
        if (OpenFile(line.path, false) == 0 && m_writeAfterOpen) {
            CloneWrite();
        }
    } else if (line.fileGiven) {
        Prompt().Message(cmcPathName::FillIn(Table().GetBody("GI_Mess_FileErr_FileExist"),
                                             cmcPathName::ForText(line.path)),
                         Table().GetLine("GI_Sys_AppTitle", 0), cmcPrompt::Icon::Exclamation,
                         cmcPrompt::Buttons::Ok);
    }
}

void indMain::CloneWrite() {
    if (!cloneWriteSeam) {
        return;
    }
    if (m_writeAfterOpen) {
        // Started from the command line: one write without asking, then the
        // program ends whatever the outcome.
        m_writeAfterOpen = false;
        cloneWriteSeam(false, [this] { Exit(); });
        return;
    }
    cloneWriteSeam(true, {});
}

void indMain::OnKeyPress(char typed) {
    if (Document().AboutKey(typed)) {
        Prompt().Message(Document().VersionText(), std::string(), cmcPrompt::Icon::None,
                         cmcPrompt::Buttons::Ok);
    }
}

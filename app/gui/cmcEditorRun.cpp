#include "app/gui/cmcEditorRun.h"

#include <QDir>
#include <QProcess>

#include "app/gui/cmcQtText.h"
#include "text/cmcGTex.h"

cmcEditorRun::cmcEditorRun(cmcGTex& table, cmcPrompt& prompt, QString folder)
    : m_table(table), m_prompt(prompt), m_folder(std::move(folder)) {}

cmcEditorRun::~cmcEditorRun() {
    Stop();
}

QString cmcEditorRun::Program() const {
    return QDir(m_folder).filePath(cmcQtText::FromPath(m_table.GetLine("GI_Sys_ExtFontFile", 0)));
}

bool cmcEditorRun::Running() const {
    return m_process && m_process->state() != QProcess::NotRunning;
}

bool cmcEditorRun::Start(uint64_t windowId) {
    if (Running()) {
        // Another window of another program cannot be brought forward from
        // here; the one editor simply keeps running.
        return true;
    }
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(Program());
    m_process->setArguments({QStringLiteral("/handle"), QString::number(windowId)});
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    m_process->start();
    if (!m_process->waitForStarted()) {
        Message(cmcQtText::ToCp932(m_process->errorString()), cmcPrompt::Icon::Stop);
        m_process.reset();
        return false;
    }
    return true;
}

bool cmcEditorRun::RefuseWhileRunning() {
    if (!Running()) {
        return false;
    }
    Message(m_table.GetLine("GI_AppInd_Editor_Open", 0), cmcPrompt::Icon::Exclamation);
    return true;
}

void cmcEditorRun::Stop() {
    if (!Running()) {
        m_process.reset();
        return;
    }
    m_process->terminate();
    if (!m_process->waitForFinished(kStopWaitMs)) {
        m_process->kill();
        m_process->waitForFinished();
    }
    m_process.reset();
}

void cmcEditorRun::Message(const std::string& text, cmcPrompt::Icon icon) {
    m_prompt.Message(text, m_table.GetLine("GI_Sys_AppTitle", 0), icon, cmcPrompt::Buttons::Ok);
}

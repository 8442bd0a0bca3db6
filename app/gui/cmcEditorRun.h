#pragma once
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/cmcPrompt.h"

class QProcess;
class cmcGTex;

// The external character editor: a program of its own beside ours, started
// with the main window's id and watched until it ends. While it runs, the
// commands that would replace or save the document are refused, since the
// editor works on the same data.
class cmcEditorRun {
public:
    static constexpr int kStopWaitMs = 5000;

    // folder: where the editor lives, normally the executable's folder.
    cmcEditorRun(cmcGTex& table, cmcPrompt& prompt, QString folder);
    // Ends a running editor, as Stop does.
    ~cmcEditorRun();
    cmcEditorRun(const cmcEditorRun&) = delete;
    cmcEditorRun& operator=(const cmcEditorRun&) = delete;

    // The editor's path: the folder and the program the table names.
    QString Program() const;
    // Starts the editor for the window; a failure shows the system's reason.
    // True when the editor runs afterwards, also when it already did.
    bool Start(uint64_t windowId);
    bool Running() const;
    // The guard of the commands the editor rules out: while it runs, says so
    // and returns true.
    bool RefuseWhileRunning();
    // Asks the editor to end and kills it when it has not within 5 s.
    void Stop();

private:
    void Message(const std::string& text, cmcPrompt::Icon icon);

    cmcGTex& m_table;
    cmcPrompt& m_prompt;
    QString m_folder;
    std::unique_ptr<QProcess> m_process;
};

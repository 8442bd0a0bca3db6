#pragma once
#include <QStringList>
#include <functional>

#include "app/gui/cuiMain.h"

// This radio's main controller: its constants, the command line and the
// key ring of the About box. Clone flows plug in through the write seam.
class indMain : public cuiMain {
public:
    indMain(cmcGTex& table, indEnviron& settings, cmcEvMan& events, cmcPrompt& prompt);

    // The program's arguments, the first being the program itself.
    void SetArguments(QStringList arguments) { m_arguments = std::move(arguments); }

    void InitModel() override;
    void Startup(TForm1& window, const QList<QIcon>& treeImages,
                 const QList<QIcon>& toolbarImages) override;
    void CloneWrite() override;
    void OnKeyPress(char typed) override;

    // The clone write, connected when the clone flows exist: asked to skip
    // its confirmation and told what to do when the write job has ended.
    std::function<void(bool confirm, std::function<void()> ended)> cloneWriteSeam;

    bool WriteAfterOpen() const { return m_writeAfterOpen; }

private:
    QStringList m_arguments;
    bool m_writeAfterOpen = false;
};

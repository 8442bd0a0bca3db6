#pragma once
#include <QStringList>
#include <functional>

#include "app/gui/cuiMain.h"
#include "sheet/cuiMenuListener.h"

struct cmcCellObj;
struct cmcEvent;

// This radio's main controller: its constants, the command line, its tree,
// the model change and the key ring of the About box. Clone flows plug in
// through the write seam.
class indMain : public cuiMain {
public:
    indMain(cmcGTex& table, indEnviron& settings, cmcEvMan& events, cmcPrompt& prompt);

    // The program's arguments, the first being the program itself.
    void SetArguments(QStringList arguments) { m_arguments = std::move(arguments); }

    void InitModel() override;
    void Startup(TForm1& window, const QList<QIcon>& treeImages,
                 const QList<QIcon>& toolbarImages) override;
    void BuildTree() override;
    void Teardown() override;
    void RunWarningCheck(int& errors, int& warnings) override;
    int OpenWithDialog() override;
    int OpenFile(const std::string& path, bool ask) override;
    int SaveAsWithDialog() override;
    int SaveFile(const std::string& path) override;
    void CloneRead() override;
    void CloneReadDone(int result) override;
    void CloneWrite() override;
    void OnKeyPress(char typed) override;
    void ModelChange(int32_t model, bool reset) override;

    bool WriteAfterOpen() const { return m_writeAfterOpen; }

private:
    void OnEvent(const cmcEvent& event);
    void OnImageReplaced();
    bool NodeGone(cmcCellObj& cell);

    QStringList m_arguments;
    bool m_writeAfterOpen = false;
    // Last, so that it is gone before the rest.
    cuiMenuListener m_listener;
};

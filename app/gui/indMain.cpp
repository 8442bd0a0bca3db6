#include "app/gui/indMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "runtime/cmcEvMan.h"
#include "runtime/cmcEvent.h"
#include "app/cmcPathName.h"
#include "runtime/cmcPrompt.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcEditorRun.h"
#include "app/gui/cmcQtText.h"
#include "app/indCommandLine.h"
#include "files/indEnviron.h"
#include "model/indActiveCell.h"
#include "model/indModelRules.h"
#include "model/iuiTree.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cuiSheet.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace {

// Events this controller sends or hears beyond the document's.
constexpr uint32_t kEventChecked = 35;
// The images of bank nodes: invalid, invalid with entries, valid, valid
// with entries.
constexpr iuiTree::IconTable kBankIcons = {4, 5, 6, 7};

}  // namespace

indMain::indMain(cmcGTex& table, indEnviron& settings, cmcEvMan& events, cmcPrompt& prompt)
    : cuiMain(table, settings, events, prompt, "MXR77C", indModelRules::kImageSize),
      m_listener(&events, cmcMethod<const cmcEvent&>(this, &indMain::OnEvent)) {
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
    if (!m_writeAfterOpen) {
        StartWrite(false, true);
        return;
    }
    // Started from the command line: one write without asking, then the
    // program ends whatever the outcome, once the job has let go of the
    // window.
    m_writeAfterOpen = false;
    StartWrite(false, false, [this](int) {
        if (Window()) {
            QMetaObject::invokeMethod(Window(), "close", Qt::QueuedConnection);
        }
    });
}

void indMain::Teardown() {
    if (Editor()) {
        Editor()->Stop();
    }
    cuiMain::Teardown();
}

int indMain::OpenWithDialog() {
    return EditorRefuses() ? 1 : cuiMain::OpenWithDialog();
}

int indMain::OpenFile(const std::string& path, bool ask) {
    return EditorRefuses() ? 1 : cuiMain::OpenFile(path, ask);
}

int indMain::SaveAsWithDialog() {
    return EditorRefuses() ? 1 : cuiMain::SaveAsWithDialog();
}

int indMain::SaveFile(const std::string& path) {
    return EditorRefuses() ? 1 : cuiMain::SaveFile(path);
}

void indMain::CloneRead() {
    if (!EditorRefuses()) {
        cuiMain::CloneRead();
    }
}

void indMain::CloneReadDone(int result) {
    cuiMain::CloneReadDone(result);
    if (result == 0) {
        BuildTree();
    }
}

void indMain::OnKeyPress(char typed) {
    if (Document().AboutKey(typed)) {
        Prompt().Message(Document().VersionText(), std::string(), cmcPrompt::Icon::None,
                         cmcPrompt::Buttons::Ok);
    }
}

void indMain::BuildTree() {
    auto tree = std::make_unique<iuiTree>(Cells(), "GI_Tree_Main_HH", kBankIcons,
                                          iuiTree::BankEntries(), &Events());
    tree->Build();
    if (!tree->TopNodes().empty()) {
        cuiTreeNode& first = *tree->TopNodes().front();
        first.caption +=
            cmcStr::Format("%s %s", Table().GetLine("GI_AppInd_Model", ModelIndex()).c_str(), "");
    }
    InstallTree(std::move(tree));
    CheckErrors();
    CloseSheet();
    Events().Send(cmcDocument::kImageReplaced, 0, 0);
    SelectFirstNode();
}

void indMain::RunWarningCheck(int& errors, int& warnings) {
    cuiMain::RunWarningCheck(errors, warnings);
    Events().Post(kEventChecked, 0, 0);
    Events().Post(cmcDocument::kEntryCountChanged, 0, 0);
}

void indMain::ModelChange(int32_t model, bool reset) {
    if (Settings().modelType == model) {
        return;
    }
    if (reset &&
        Prompt().Message(Table().GetBody("GI_AppMess_ChangeModel"),
                         Table().GetLine("GI_Sys_AppTitle", 0), cmcPrompt::Icon::Exclamation,
                         cmcPrompt::Buttons::OkCancel) != cmcPrompt::Answer::Ok) {
        return;
    }
    Settings().modelType = model;
    InitModel();
    LoadInitialImage(model);
    if (reset) {
        Document().Current().Assign(Document().Initial());
        Document().ClearModified();
        Document().StartHistory();
        Document().SetDocumentFileName(std::string());
    }
    BuildTree();
    Events().Post(cuiSheet::kEvRepaintCategory, 0, 11);
}

void indMain::OnEvent(const cmcEvent& event) {
    if (event.code == cmcDocument::kImageReplaced) {
        OnImageReplaced();
    }
}

// The image was replaced: nodes whose links now report themselves gone
// leave the tree, and the selection moves on if its node went with them.
void indMain::OnImageReplaced() {
    cuiTree* tree = Tree();
    if (tree == nullptr) {
        return;
    }
    const cmcCellObj* selected = tree->SelectedCell();
    const std::string before = selected && selected->argument ? *selected->argument : std::string();
    for (bool removed = true; removed;) {
        removed = false;
        for (cuiTreeNode* node : tree->AllNodes()) {
            if (node->cell && NodeGone(*node->cell)) {
                tree->RemoveNode(*node);
                removed = true;
                break;
            }
        }
    }
    TreeChanged();
    selected = tree->SelectedCell();
    if (selected && selected->argument && *selected->argument != before) {
        OnTreeSelection();
    }
    Events().Send(cmcDocument::kEntryCountChanged, 0, 0);
}

bool indMain::NodeGone(cmcCellObj& cell) {
    cmcCellCapsule request;
    request.cell = &cell;
    indActiveCell(*this).Handle(request, false);
    return (request.state & cmcCellCapsule::kStateError) != 0;
}

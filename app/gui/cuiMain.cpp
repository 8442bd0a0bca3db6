#include "app/gui/cuiMain.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdlib>

#include "files/cmcCompanionFiles.h"
#include "runtime/cmcEvMan.h"
#include "app/cmcPathName.h"
#include "runtime/cmcPrompt.h"
#include "app/cmcRevision.h"
#include "app/cmcWorkArea.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcEditorRun.h"
#include "app/gui/cmcQtColor.h"
#include "app/gui/cmcQtFont.h"
#include "app/gui/cmcQtText.h"
#include "app/gui/cuiAboutBox.h"
#include "app/gui/cuiCsvCommands.h"
#include "app/gui/cuiMainViews.h"
#include "app/gui/cuiPrintJob.h"
#include "app/gui/cuiRadioCommands.h"
#include "app/gui/cuiStatusPanel.h"
#include "files/indEnviron.h"
#include "model/indActiveCell.h"
#include "model/indLinkNames.h"
#include "model/indModelRules.h"
#include "model/indWarningCheck.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiTree.h"
#include "sheet/qt/cuiFlector.h"
#include "sheet/qt/cuiGrid.h"
#include "sheet/qt/cuiSheetPanel.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "util/cmcFatal.h"
#include "util/cmcStr.h"

using cmcQtText::FromCp932;

namespace {

constexpr int32_t kMinImageSize = 2949;

}  // namespace

cuiMain::cuiMain(cmcGTex& table, indEnviron& settings, cmcEvMan& events, cmcPrompt& prompt,
                 std::string productStem, int32_t imageSize)
    : m_table(table),
      m_settings(settings),
      m_events(events),
      m_prompt(prompt),
      m_productStem(std::move(productStem)),
      m_imageSize(imageSize),
      // The table of the language chosen in the settings, before anything reads a text.
      m_document((m_table.SetLines(BuiltinTable::LinesFor(settings.language)), table), prompt,
                 settings, events, imageSize),
      m_cells{table, indActiveCell::Names()},
      m_choices(m_cells),
      m_commands(m_document, settings, events, *this) {
    m_document.SetHooks(MakeHooks());
    // Codecs read choice labels through the cache, and choice cells open the
    // pop-up list through its hooks, for the whole run.
    cmcFCache::Install(&m_choices);
    cuiFlector::InstallHooks(m_choices);
}

cuiMain::~cuiMain() {
    m_document.Stop();
    m_print.reset();
    m_views.reset();
    m_radio.reset();
    cmcFCache::Install(nullptr);
}

void cuiMain::InitModel() {
    m_modelCode = 0;
    m_extraCode = 0;
}

void cuiMain::Startup(TForm1& window, const QList<QIcon>& treeImages,
                      const QList<QIcon>& toolbarImages) {
    m_window = &window;
    m_treeImages = treeImages;
    m_radio = std::make_unique<cuiRadioCommands>(window, *this, m_settings);
    m_radio->SetErrorCount([this] { return CheckErrors(); });
    const cmcCompanionFiles companions = cmcCompanionFiles::ForThisProgram();
    m_editor = std::make_unique<cmcEditorRun>(
        m_table, m_prompt,
        cmcQtText::FromPath(companions.FolderOf(m_table.GetLine("GI_Sys_ExtFontFile", 0))));
    m_print = std::make_unique<cuiPrintJob>(&window, *this, m_prompt,
                                            [this](bool enable) { SetRadioBusy(!enable); });
    m_document.SetInitialFolder(m_settings.currentDirectory);
    LoadInitialImage(m_settings.modelType);
    m_document.Start();
    m_views = std::make_unique<cuiMainViews>(window, m_cells, indActiveCell::LinkFor(*this),
                                             m_events, treeImages, toolbarImages);
    m_views->BuildBars([this] { return CurrentCell(); },
                       [this](int32_t link) { RunPopupCommand(link); });
    RefreshToolbar();
    m_events.Send(cmcDocument::kSettingsChanged, 0, 0);
    MakeSheetPanel();
    BuildTree();
    window.SetTreeWidth(std::max(m_settings.splitterV, TForm1::kSplitterMin));
    window.StatusPanel()->SetPainter(
        [this](QPainter& painter, const QRect& rect) { OnStatusBarDrawPanel(painter, rect); });
    window.onShown = [this] { m_document.UpdateTitle(); };
    window.onCloseQuery = [this] { return CloseQuery(); };
    window.onClosed = [this] { Teardown(); };
    if (m_imageSize < kMinImageSize) {
        cmcFatal(cmcFatalCaption::ExeName, "Self Check Error.\nEEPROM Map is too large.");
    }
    ApplyFont();
    PlaceWindow();
    window.show();
}

void cuiMain::BuildTree() {
    auto tree = std::make_unique<cuiTree>(m_cells, "GI_Tree_Main", &m_events);
    tree->Build();
    InstallTree(std::move(tree));
}

void cuiMain::InstallTree(std::unique_ptr<cuiTree> tree) {
    const int delay = cmcStr::AtoI(m_table.GetLine("GI_Sys_TreeChangeDelay", 0));
    cuiMainViews::TreeHooks hooks;
    hooks.selectionChanged = [this] { OnTreeSelection(); };
    // Marks on closed branches stand for their hidden nodes.
    hooks.expandedChanged = [this] { CheckErrors(); };
    m_views->InstallTree(std::move(tree), delay, std::move(hooks));
}

void cuiMain::TreeChanged() {
    m_views->ShowTreeNodes();
}

cuiTree* cuiMain::Tree() const {
    return m_views ? m_views->Tree() : nullptr;
}

const cmcCellObj* cuiMain::CurrentCell() const {
    const cuiSheet* sheet = m_sheetPanel ? m_sheetPanel->Sheet() : nullptr;
    if (sheet == nullptr || sheet->CurrentCol() < 0 || sheet->CurrentRow() < 0 ||
        sheet->CurrentCol() >= sheet->ColCount() || sheet->CurrentRow() >= sheet->RowCount()) {
        return nullptr;
    }
    return &sheet->Cell(sheet->CurrentCol(), sheet->CurrentRow()).obj;
}

void cuiMain::RunPopupCommand(int32_t link) {
    if (cuiSheet* sheet = m_sheetPanel ? m_sheetPanel->Sheet() : nullptr) {
        sheet->PopupCommand(link);
    }
}

void cuiMain::SelectFirstNode() {
    m_views->SelectFirstNode();
}

void cuiMain::Teardown() {
    m_document.Stop();
    CloseSheet();
    m_views.reset();
}

int cuiMain::CheckLoadedImage(const cmcEeprom& image) {
    return indModelRules::CheckLoadedImage(image) ? 0 : 1;
}

void cuiMain::AfterLoad(cmcEeprom&) {}

void cuiMain::BeforeSave(cmcEeprom&) {}

void cuiMain::RunWarningCheck(int& errors, int& warnings) {
    errors = 0;
    warnings = 0;
    cuiTree* tree = Tree();
    if (tree == nullptr) {
        return;
    }
    indWarningCheck check =
        indWarningCheck::Run(m_table, indActiveCell::Names(), indActiveCell::LinkFor(*this));
    errors = check.errors;
    warnings = check.warnings;
    ApplyMarks(check.errorSheets, check.warningSheets);
}

int cuiMain::CheckErrors() {
    int errors = 0;
    int warnings = 0;
    RunWarningCheck(errors, warnings);
    return errors;
}

void cuiMain::ApplyMarks(const std::vector<std::string>& errors,
                         const std::vector<std::string>& warnings) {
    Tree()->MarkChecks(errors, warnings);
    m_views->ShowTreeMarks();
}

void cuiMain::CreateSheet(const std::string& fullName) {
    m_sheetPanel->SetFontSizePercent(m_settings.fontSizePercent);
    if (!m_sheetPanel->ShowSheet(fullName)) {
        return;
    }
    m_shownSheet = fullName;
}

void cuiMain::MakeSheetPanel() {
    auto* layout = new QVBoxLayout(m_window->SheetPanel());
    layout->setContentsMargins(0, 0, 0, 0);
    m_sheetPanel = new cuiSheetPanel(*this, m_window->SheetPanel());
    m_sheetPanel->setObjectName(QStringLiteral("sheet"));
    m_sheetPanel->Grid()->onPopupMenu = [this](const std::string& stem, const QPoint& global) {
        m_views->ShowPopup(stem, global);
    };
    m_views->AttachPopupShortcuts(m_sheetPanel->Grid());
    layout->addWidget(m_sheetPanel);
}

void cuiMain::ShowSheet(const std::string& name) {
    CloseSheet();
    CreateSheet(name);
    if (m_shownSheet.empty()) {
        return;
    }
    if (std::optional<cmcSheetPositions::Position> at = m_sheetPositions.Find(name)) {
        m_sheetPanel->RestorePosition({at->scrollCol, at->scrollRow, at->cellCol, at->cellRow});
    }
    if (m_sheetPanel->Grid()->focusPolicy() != Qt::NoFocus && m_window->isVisible()) {
        m_sheetPanel->Grid()->setFocus();
    }
}

void cuiMain::CloseSheet() {
    if (m_shownSheet.empty() || !m_sheetPanel) {
        return;
    }
    std::array<int32_t, 4> at = m_sheetPanel->Position();
    m_sheetPositions.Remember(m_shownSheet, {at[0], at[1], at[2], at[3]});
    m_sheetPanel->Clear();
    m_shownSheet.clear();
    m_document.WakeMainTask();  // which shows a sheet again
}

void cuiMain::CallSheet(const std::string& name) {
    if (name != m_shownSheet) {
        ShowSheet(name);
    }
}

void cuiMain::OnTreeSelection() {
    const cmcCellObj* selected = Tree() ? Tree()->SelectedCell() : nullptr;
    if (selected == nullptr || (selected->argument && *selected->argument == m_shownSheet)) {
        return;
    }
    cmcCellObj cell;
    CopyCell(cell, *selected);
    indActiveCell(*this).HandleForCell(cell, cmcCellCapsule::kRequestEnter);
}

int32_t cuiMain::ModelIndex() {
    return m_settings.modelType;
}

std::string cuiMain::RevisionText() {
    return ProgramRevisionText();
}

void cuiMain::LoadInitialImage(int32_t modelIndex) {
    // A missing image is reported as missing beside the program.
    const std::string name = m_table.GetLine("GI_App_InitialFile", modelIndex);
    m_document.LoadInitialImage(cmcCompanionFiles::ForThisProgram().FolderOf(name), modelIndex);
}

int cuiMain::OpenWithDialog() {
    return m_document.OpenWithDialog();
}

int cuiMain::OpenFile(const std::string& path, bool ask) {
    return m_document.OpenFile(path, ask);
}

int cuiMain::SaveAsWithDialog() {
    return m_document.SaveAsWithDialog();
}

int cuiMain::SaveFile(const std::string& path) {
    return m_document.SaveFile(path);
}

bool cuiMain::IdentityCheck(uint32_t model, uint32_t extra) {
    return model == indModelRules::kModelCode && (extra == indModelRules::kExtraCode || extra == 0);
}

bool cuiMain::ProbeCheck(uint32_t model, uint32_t extra) {
    return IdentityCheck(model, extra);
}

int cuiMain::CheckFileModel(uint32_t model, uint32_t extra) {
    if (model != m_modelCode) {
        return 3;
    }
    return extra != m_extraCode ? 4 : 0;
}

AddrRangeList cuiMain::GetRangeList(int) {
    return {{0x0000, 0x0B73}, {1, 0}};
}

void cuiMain::OnKeyPress(char) {}

void cuiMain::OnStatusBarResize() {}

void cuiMain::OnStatusBarDrawPanel(QPainter& painter, const QRect& rect) {
    const QPalette& palette = m_window->palette();
    painter.fillRect(rect, cmcQtColor::ToQColor(m_document.StatusBackColor(), palette));
    painter.setPen(cmcQtColor::ToQColor(m_document.StatusTextColor(), palette));
    painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     FromCp932(m_document.StatusText()));
}

int cuiMain::New() {
    return m_document.New();
}

int cuiMain::Save() {
    return m_document.FileName().empty() ? SaveAsWithDialog() : SaveFile(m_document.FileName());
}

void cuiMain::Exit() {
    // The menu item or shortcut that asked is still running; closing tears
    // the menus down, so the window closes once the command has returned.
    if (m_window) {
        QMetaObject::invokeMethod(m_window, "close", Qt::QueuedConnection);
    }
}

void cuiMain::ShowAbout() {
    if (!m_window) {
        return;
    }
    cuiAboutBox box(*m_window, m_table, m_document, [this](char c) { OnKeyPress(c); });
    box.exec();
}

bool cuiMain::CloseQuery() {
    if (!m_document.CloseQuery(m_window != nullptr && m_window->isEnabled())) {
        return false;
    }
    StoreBounds();
    return true;
}

void cuiMain::SetRadioBusy(bool busy) {
    if (m_window) {
        m_window->setEnabled(!busy);
        if (!busy) {
            m_window->activateWindow();
            m_window->setFocus();
        }
    }
}

void cuiMain::StoreBounds() {
    QRect normal = m_window->normalGeometry();
    if (!normal.isValid()) {
        normal = m_window->geometry();
    }
    m_settings.windowLeft = normal.left();
    m_settings.windowTop = normal.top();
    m_settings.windowWidth = normal.width();
    m_settings.windowHeight = normal.height();
    m_settings.splitterV = m_window->TreeWidth();
}

void cuiMain::PlaceWindow() {
    QRect work = QGuiApplication::primaryScreen()
                     ? QGuiApplication::primaryScreen()->availableGeometry()
                     : QRect(0, 0, 1024, 768);
    cmcWorkArea::Bounds fitted =
        cmcWorkArea::Fit({m_settings.windowLeft, m_settings.windowTop, m_settings.windowWidth,
                          m_settings.windowHeight},
                         {work.left(), work.top(), work.right() + 1, work.bottom() + 1});
    m_window->setGeometry(fitted.left, fitted.top, std::max(fitted.width, TForm1::kMinWidth),
                          std::max(fitted.height, TForm1::kMinHeight));
}

void cuiMain::ApplyFont() {
    indLinkNames names;
    cmcCellContext context{m_table, names};
    cmcCellObj cell;
    ParseCell(context, m_table.GetLine("GI_Form_Main_BasicCell", 0), cell, nullptr, nullptr);
    if (const cmcFont* font = cell.EffectiveFont()) {
        m_window->setFont(cmcQtFont::ToQFont(*font));
    }
}

void cuiMain::OpenManual() {
    QString path = cmcQtText::FromPath(
        cmcCompanionFiles::ForThisProgram().PathOf(m_table.GetLine("GI_Sys_MyHelpFile", 0)));
    // Not found and nothing to open it with are one message; a file that is
    // there but may not be read is the other.
    if (!QFileInfo::exists(path)) {
        ShowFileError("GI_Mess_FileErr_FileAccess");
    } else if (!QFileInfo(path).isReadable()) {
        ShowFileError("GI_Mess_FileErr_FileOpen");
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        ShowFileError("GI_Mess_FileErr_FileAccess");
    }
}

void cuiMain::ShowFileError(const char* key) {
    m_prompt.Message(m_table.GetBody(key), m_table.GetLine("GI_Sys_AppTitle", 0),
                     cmcPrompt::Icon::Stop, cmcPrompt::Buttons::Ok);
}

void cuiMain::RefreshToolbar() {
    if (m_views) {
        m_views->SetToolbarVisible(m_settings.toolbarVisible != 0);
    }
    m_events.Send(cmcDocument::kRefreshMenus, 0, 0);
}

bool cuiMain::OnIdle() {
    if (m_print && m_print->Running()) {
        m_print->Step();
    }
    const bool printing = m_print && m_print->Running();
    if (!m_window || !m_shownSheet.empty()) {
        return printing;
    }
    if (!m_window->isVisible()) {
        return true;  // the sheet is shown once the window is
    }
    if (Tree()) {
        OnTreeSelection();
    } else if (std::string newest = m_sheetPositions.Newest(); !newest.empty()) {
        ShowSheet(newest);
    }
    return printing;
}

cmcDocument::Hooks cuiMain::MakeHooks() {
    cmcDocument::Hooks hooks;
    hooks.titleChanged = [this](const std::string& title) {
        if (m_window) {
            m_window->setWindowTitle(FromCp932(title));
        }
    };
    hooks.closeSheet = [this] { CloseSheet(); };
    hooks.busyCursor = [](bool busy) {
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    };
    hooks.showAbout = [this] { ShowAbout(); };
    hooks.statusChanged = [this] {
        if (m_window) {
            m_window->StatusPanel()->update();
        }
    };
    hooks.toolbarChanged = [this] { RefreshToolbar(); };
    hooks.warningCheck = [this] { CheckErrors(); };
    hooks.idle = [this] { return OnIdle(); };
    return hooks;
}

#include "app/gui/cuiPrintJob.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>
#include <cmath>

#include "runtime/cmcEvMan.h"
#include "runtime/cmcPrompt.h"
#include "app/gui/cmcQtFont.h"
#include "app/gui/cuiPrintProgress.h"
#include "model/indActiveCell.h"
#include "model/indDocHost.h"
#include "model/iuiSh_Factory.h"
#include "sheet/cmcPrintJob.h"
#include "sheet/cmcPrintLayout.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetPrint.h"
#include "sheet/qt/cmcQtPrintMeasurer.h"
#include "sheet/qt/cmcQtPrintTarget.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace {

// Points to pixels at the device's vertical resolution, as a font of that
// size is high there.
int32_t PointsToPixels(int32_t points, int32_t dpi) {
    return static_cast<int32_t>(std::lround(points * dpi / 72.0));
}

bool DefaultSetupDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

cuiPrintJob::cuiPrintJob(QWidget* parent, indDocHost& host, cmcPrompt& prompt,
                         std::function<void(bool)> enableMainWindow)
    : printerAvailable([] { return true; }),
      setupDialog([parent](QPrinter& printer) { return DefaultSetupDialog(printer, parent); }),
      m_parent(parent),
      m_host(host),
      m_prompt(prompt),
      m_enableMainWindow(std::move(enableMainWindow)) {}

cuiPrintJob::~cuiPrintJob() {
    if (m_active) {
        Finish();
    }
}

bool cuiPrintJob::StartPrint(const std::vector<std::string>& sheets) {
    if (m_active) {
        return false;
    }
    m_host.Events().Send(cuiSheet::kEvCommitEdit, 0, 0);
    if (sheets.empty()) {
        return false;
    }
    cmcGTex& table = m_host.Table();
    if (!printerAvailable()) {
        m_prompt.Message(table.GetBody("GI_Sys_Printer_NoPrinter"),
                         table.GetLine("GI_Sys_AppTitle", 0), cmcPrompt::Icon::Stop,
                         cmcPrompt::Buttons::Ok);
        return false;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!setupDialog(*printer)) {
        return false;
    }
    printer->setCopyCount(1);
    m_printer = std::move(printer);
    if (m_enableMainWindow) {
        m_enableMainWindow(false);
    }
    m_windowDisabled = true;
    m_cancel = false;
    m_progress = new cuiPrintProgress(m_parent, table, [this] { Cancel(); });
    m_progress->show();
    QCoreApplication::processEvents();
    Prepare(*m_printer, sheets);
    return true;
}

void cuiPrintJob::Begin(QPagedPaintDevice& device, const std::vector<std::string>& sheets) {
    if (m_active) {
        return;
    }
    m_cancel = false;
    Prepare(device, sheets);
}

void cuiPrintJob::Prepare(QPagedPaintDevice& device, const std::vector<std::string>& sheets) {
    cmcGTex& table = m_host.Table();
    m_device = &device;
    m_printRect = cmcPrintLayout::PrintRect(device.width(), device.height(), device.logicalDpiY(),
                                            table.GetLine("GI_Sys_Printer_Margins", 0));
    m_target = std::make_unique<cmcQtPrintTarget>(
        device, m_painter, m_printRect, cmcQtFont::ToQFont(FrameFont()),
        cmcQtPrintTarget::FrameTexts{FrameTitle(), table.GetLine("GI_Sys_Maker", 0)}, [this] {
            // The Cancel button is only heard while events are handled.
            QCoreApplication::processEvents();
            return m_cancel;
        });
    m_placement = std::make_unique<cmcPrintJob>(m_target->Frame().inner);
    m_sheets = sheets;
    m_node = 0;
    m_failed = false;
    m_active = true;
}

cmcFont cuiPrintJob::FrameFont() const {
    cmcFont font;
    font.height = 0;  // by its size in points
    font.size = cmcStr::AtoI(m_host.Table().GetLine("GI_Sys_Printer_FrameFont", 0));
    return font;
}

std::string cuiPrintJob::FrameTitle() const {
    // The table's "%s" takes the revision; the text is not a format string.
    std::string title = m_host.Table().GetLine("GI_Sys_AppTitleRev", 0);
    const size_t at = title.find("%s");
    if (at != std::string::npos) {
        title.replace(at, 2, m_host.RevisionText());
    }
    return title;
}

void cuiPrintJob::Step() {
    // The cancel check handles events, which may bring the next tick early.
    if (!m_active || m_stepping) {
        return;
    }
    m_stepping = true;
    StepOnce();
    m_stepping = false;
}

void cuiPrintJob::StepOnce() {
    if (m_node == 0 && !m_painter.begin(m_device)) {
        m_failed = true;
        Finish();
        return;
    }
    if (m_node < m_sheets.size()) {
        PrintSheet(m_sheets[m_node]);
    }
    ++m_node;
    if (m_node < m_sheets.size()) {
        return;
    }
    Finish();
}

void cuiPrintJob::PrintSheet(const std::string& request) {
    if (request.empty() || m_cancel) {
        return;
    }
    const cmcCellContext cells{m_host.Table(), indActiveCell::Names()};
    // The document is the context, as for the sheet on screen.
    std::unique_ptr<cuiSheet> sheet = iuiSh_Factory::Create(request, cells, nullptr, 0, 0, &m_host);
    // A tree naming no sheet of the table prints nothing rather than ending
    // the program in the build.
    for (const char* part : {"_Style", "_BasicCell", "_Cells"}) {
        if (!m_host.Table().HasKey(sheet->Name() + part)) {
            return;
        }
    }
    const int32_t dpi = m_device->logicalDpiY();
    const int32_t fontHeight =
        PointsToPixels(cmcStr::AtoI(m_host.Table().GetLine("GI_Sys_Printer_FontPoints", 0)), dpi);
    const cmcQtPrintMeasurer measurer(*m_device);
    sheet->SetLink(indActiveCell::LinkFor(m_host));
    cuiSheetPrint paper(*sheet, dpi, measurer, FrameFont());
    paper.Rebuild(fontHeight);
    m_target->SetSheet(&paper);
    m_placement->PrintSheet(paper, fontHeight, *m_target);
    m_target->SetSheet(nullptr);
}

void cuiPrintJob::Finish() {
    if (m_painter.isActive()) {
        m_painter.end();
    }
    m_active = false;
    m_sheets.clear();
    m_target.reset();
    m_placement.reset();
    m_device = nullptr;
    m_printer.reset();
    if (m_progress) {
        delete m_progress.data();
    }
    if (m_windowDisabled) {
        m_windowDisabled = false;
        if (m_enableMainWindow) {
            m_enableMainWindow(true);
        }
        if (m_parent) {
            m_parent->activateWindow();
        }
    }
}

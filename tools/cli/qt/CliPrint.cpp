// print FILE (--sheet NAME | --all) -o OUT.pdf [--dpi N]: prints sheets of an
// image file to a PDF file (A4) with the application's print job, for
// archiving a radio's settings on paper or as a file.
#include <QBuffer>
#include <cstdio>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <memory>
#include <string>
#include <vector>

#include "app/gui/cuiPrintJob.h"
#include "files/FileErr.h"
#include "files/cmcSafeFile.h"
#include "model/cmcEeprom.h"
#include "model/indActiveCell.h"
#include "sheet/cuiTree.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliDocHost.h"
#include "util/cmcStr.h"

namespace {

void AddSheets(const cuiTreeNode& node, std::vector<std::string>& sheets) {
    sheets.emplace_back(node.Argument());
    for (const auto& child : node.children) {
        AddSheets(*child, sheets);
    }
}

// Every node's sheet of the application's tree, in tree order.
std::vector<std::string> TreeSheets() {
    const cmcCellContext context{CliTable(), indActiveCell::Names()};
    cuiTree tree(context, "GI_Tree_Main_HH");
    tree.Build();
    std::vector<std::string> sheets;
    for (const auto& node : tree.TopNodes()) {
        AddSheets(*node, sheets);
    }
    return sheets;
}

// Runs the job to its end; false when the PDF could not be made.
bool PrintToPdf(CliDocHost& host, const std::vector<std::string>& sheets, int dpi,
                QByteArray& pdf) {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(dpi);
    // The page is the paper: margins are the job's own.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setCreator(QStringLiteral("mxr77c-cli"));
    cuiPrintJob job(nullptr, host, host.Prompt(), nullptr);
    job.Begin(writer, sheets);
    while (job.Running()) {
        job.Step();
    }
    return !job.Failed();
}

}  // namespace

int CliPrint(const CliPrintArgs& parsed) {
    cmcGTex& table = CliTable();
    if (!parsed.all) {
        for (const char* part : {"_Style", "_BasicCell", "_Cells"}) {
            if (!table.HasKey(parsed.sheet + part)) {
                return CliUsageError("no sheet '" + parsed.sheet + "'");
            }
        }
    }
    cmcEeprom image;
    const int error = CliOpenImage(parsed.file, image);
    if (error != FileErr::kNone) {
        return error;
    }
    // Printing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "mxr77c-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    CliDocHost host(image);
    const std::vector<std::string> sheets =
        parsed.all ? TreeSheets() : std::vector<std::string>{parsed.sheet};
    QByteArray pdf;
    if (!PrintToPdf(host, sheets, parsed.dpi, pdf)) {
        std::fprintf(stderr, "mxr77c-cli: the PDF could not be made\n");
        return FileErr::kFileAccess;
    }
    const int written = cmcSafeFile::Write(parsed.out, pdf.toStdString());
    if (written != FileErr::kNone) {
        std::fprintf(stderr, "mxr77c-cli: cannot write '%s'\n", parsed.out.c_str());
    }
    return written;
}

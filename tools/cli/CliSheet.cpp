// sheet FILE SHEET: builds a sheet over an image file with the link handler
// and prints the texts of its grid, as the application would show them.
#include <memory>
#include <string>

#include "files/FileErr.h"
#include "model/cmcEeprom.h"
#include "model/indActiveCell.h"
#include "model/indImageDiff.h"
#include "model/iuiSh_Factory.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetPlainMeasurer.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliDocHost.h"

namespace {

void PrintGrid(cuiSheet& sheet) {
    for (int32_t row = 0; row < sheet.RowCount(); ++row) {
        std::string line;
        for (int32_t col = 0; col < sheet.ColCount(); ++col) {
            if (sheet.Cell(col, row).obj.joinLeft) {
                continue;  // shown with the cell it is joined to
            }
            line += (col == 0 ? "" : "\t") + indImageDiff::CellText(sheet, col, row);
        }
        CliPrintOut(line + "\n");
    }
}

}  // namespace

int CliSheet(const std::string& file, const std::string& name) {
    cmcGTex& table = CliTable();
    const cmcCellContext context{table, indActiveCell::Names()};
    std::unique_ptr<cuiSheet> sheet = iuiSh_Factory::Create(name, context, nullptr, 0, 0, nullptr);
    // Checked here: a missing description would otherwise end the process.
    for (const char* part : {"_Style", "_BasicCell", "_Cells"}) {
        if (!table.HasKey(sheet->Name() + part)) {
            return CliUsageError("no sheet '" + sheet->Name() + "'");
        }
    }
    cmcEeprom image;
    const int error = CliOpenImage(file, image);
    if (error != FileErr::kNone) {
        return error;
    }
    CliDocHost host(image);
    const cuiSheetPlainMeasurer measurer;
    sheet->SetMeasurer(&measurer);
    sheet->SetLink(indActiveCell::LinkFor(host));
    sheet->Rebuild();
    PrintGrid(*sheet);
    return 0;
}

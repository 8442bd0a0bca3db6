#include <string>

#include "files/FileErr.h"
#include "model/cmcEeprom.h"
#include "model/iuiSh_Factory.h"
#include "model/indLinkNames.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetPlainMeasurer.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"

namespace {

// The text a cell shows: the handler's answer for a linked cell, else its
// own display text; lines joined by a blank so that a row stays one line.
std::string CellText(cuiSheet& sheet, int32_t col, int32_t row) {
    const cuiSheetPaint paint = sheet.PaintCell(col, row, sheet.CellRect(col, row), false);
    std::string text;
    for (const cuiSheetPaint::Line& line : paint.lines) {
        text += text.empty() ? line.text : " " + line.text;
    }
    return text;
}

}  // namespace

cmcCellLink CliSheetLink(cmcEeprom& /*image*/, cmcGTex& /*table*/) {
    // Until the link handler is wired in here, linked cells answer nothing.
    return [](cmcCellCapsule&, bool) { return 0; };
}

int CliSheetWith(const std::vector<std::string>& args, const CliSheetLinkMaker& makeLink) {
    if (args.size() != 2) {
        return CliUsageError("sheet takes FILE and SHEET");
    }
    cmcGTex& table = CliTable();
    const std::string& request = args[1];
    cmcEeprom image;
    const int error = CliOpenImage(args[0], image);
    if (error != 0) {
        return error;
    }
    indLinkNames names;
    const cmcCellContext context{table, names};
    std::unique_ptr<cuiSheet> sheet = iuiSh_Factory::Create(request, context, nullptr, 0, 0, nullptr);
    // Checked here: a missing description would otherwise end the process.
    for (const char* part : {"_Style", "_BasicCell", "_Cells"}) {
        if (!table.HasKey(sheet->Name() + part)) {
            return CliUsageError("no sheet '" + sheet->Name() + "'");
        }
    }
    const cuiSheetPlainMeasurer measurer;
    sheet->SetMeasurer(&measurer);
    sheet->SetLink(makeLink(image, table));
    sheet->Rebuild();
    for (int32_t row = 0; row < sheet->RowCount(); ++row) {
        std::string line;
        for (int32_t col = 0; col < sheet->ColCount(); ++col) {
            if (sheet->Cell(col, row).obj.joinLeft) {
                continue;  // drawn as part of the cell on its left
            }
            line += col == 0 ? CellText(*sheet, col, row) : "\t" + CellText(*sheet, col, row);
        }
        CliPrintOut(line + "\n");
    }
    return 0;
}

int CliSheet(const std::vector<std::string>& args) {
    return CliSheetWith(args, CliSheetLink);
}

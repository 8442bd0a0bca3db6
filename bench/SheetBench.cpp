// Building this radio's sheets, parsing a typical cell and reading warm keys.
#include <benchmark/benchmark.h>

#include "model/indLinkNames.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetPlainMeasurer.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"

namespace {

struct Fixture {
    Fixture() { table.SetLines(BuiltinTable::Lines()); }
    cmcGTex table;
    indLinkNames names;
    cmcCellContext context{table, names};
    cuiSheetPlainMeasurer measurer;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BuildSheet(benchmark::State& state, const char* name) {
    Fixture& f = Shared();
    for (auto _ : state) {
        cuiSheet sheet(f.context, nullptr, 0, 0, name, nullptr);
        sheet.SetMeasurer(&f.measurer);
        sheet.SetLink([](cmcCellCapsule&, bool) { return 0; });
        sheet.Rebuild();
        benchmark::DoNotOptimize(sheet.RowCount());
    }
}

BENCHMARK_CAPTURE(BuildSheet, TopPage, "GI_Sheet_TopPage");
BENCHMARK_CAPTURE(BuildSheet, BaseSettings, "GI_Sheet_BaseSettings");
BENCHMARK_CAPTURE(BuildSheet, SelCallList, "GI_Sheet_SelCallList");
BENCHMARK_CAPTURE(BuildSheet, GroupList, "GI_Sheet_GroupList");
BENCHMARK_CAPTURE(BuildSheet, CloneInfo, "GI_Sheet_CloneInfo");

void ParseTypicalCell(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string row = f.table.GetLine("GI_Sheet_GroupList_Cells", 4);
    cmcCellObj basic;
    ParseCell(f.context, f.table.GetLine("GI_Sheet_GroupList_BasicCell", 0), basic, nullptr,
              nullptr);
    cmcCellVars vars{};
    for (auto _ : state) {
        cmcCellObj cell;
        std::string_view rest = row;
        while (!rest.empty()) {
            rest = ParseCell(f.context, rest, cell, &vars, &basic);
        }
        benchmark::DoNotOptimize(cell.index);
    }
}
BENCHMARK(ParseTypicalCell);

void GetLineWarm(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string keys[] = {"GI_Sys_AppTitle", "GI_Sheet_GroupList_Cells",
                                "CellModel_emWh", "GI_Sheet_SelCallList_Style"};
    for (const std::string& key : keys) {
        f.table.GetLine(key, 0);
    }
    for (auto _ : state) {
        for (const std::string& key : keys) {
            benchmark::DoNotOptimize(f.table.GetLine(key, 0));
        }
    }
}
BENCHMARK(GetLineWarm);

}  // namespace

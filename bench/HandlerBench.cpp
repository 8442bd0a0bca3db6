// The handler answers every visible cell on every repaint: one display query
// per cell should stay well under a microsecond.
#include <benchmark/benchmark.h>

#include <vector>

#include "model/indActiveCell.h"
#include "model/indActiveCellIds.h"
#include "tests/core/FakeDocHost.h"

namespace {

namespace ids = indActiveCellIds;

constexpr int32_t kNullCategory = 0;
constexpr int32_t kIndvCategory = 7;
constexpr int32_t kGrpCategory = 8;

// The linked cells of one row of each list sheet, and the base settings.
std::vector<cmcCellObj> SheetCells() {
    std::vector<cmcCellObj> cells;
    for (int32_t row = 0; row < 30; ++row) {
        for (int32_t link : {ids::kIndvListValid, ids::kIndvListName, ids::kIndvListMakerId,
                             ids::kIndvListIndvNo}) {
            cells.push_back(test::CellOf(kIndvCategory, link, row));
        }
        cells.push_back(test::CellOf(kNullCategory, ids::kMchNoI, row));
    }
    for (int32_t row = 0; row < 63; ++row) {
        cells.push_back(test::CellOf(kGrpCategory, ids::kGrpListName, row));
    }
    for (int32_t link : {ids::kDigCallSelfId, ids::kDigCallSelfName, ids::kDigCallTxMyName}) {
        cells.push_back(test::CellOf(kNullCategory, link, 0));
    }
    return cells;
}

void BM_DisplayQueryPerCell(benchmark::State& state) {
    test::FakeDocHost host;
    std::vector<cmcCellObj> cells = SheetCells();
    for (auto _ : state) {
        for (cmcCellObj& cell : cells) {
            cmcCellCapsule request;
            request.cell = &cell;
            benchmark::DoNotOptimize(indActiveCell(host).Handle(request, false));
            benchmark::DoNotOptimize(request.outText.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(cells.size()));
}
BENCHMARK(BM_DisplayQueryPerCell);

}  // namespace

#pragma once
#include <QWidget>
#include <memory>
#include <string>

#include "runtime/cmcEvMan.h"
#include "sheet/cmcCellContext.h"

class QFrame;
struct cmcCellCapsule;
struct cmcEvent;
class cmcFCache;
class cuiGrid;
class cuiSheet;

// The choice list pop-up: a window without title bar, framed by a raised
// edge, over a sheet in choice-list mode, opened below the cell it serves. Enter or a release on an
// entry chooses it (the owning cell's handler hears of it); Esc, a click elsewhere, and events 1
// and 21 close it. It deletes itself when closed.
class cuiFlector : public QWidget {
    Q_OBJECT

public:
    static constexpr uint32_t kEvCommitEdit = 21;

    // Opens the list for the owning cell's request; nothing when the
    // request's sender is not a live grid.
    static cuiFlector* Open(cmcCellCapsule& owner, int32_t flex, int32_t value,
                            const cmcCellContext& cells, const std::string& sheet);
    // Points the choice-list cache's hooks at the grids and this pop-up.
    static void InstallHooks(cmcFCache& cache);

    ~cuiFlector() override;
    cuiGrid* Grid() const { return m_grid; }
    cuiSheet* Sheet() const { return m_sheet.get(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    cuiFlector(cuiGrid& owner, cmcCellCapsule& capsule, int32_t flex, int32_t value,
               const cmcCellContext& cells, const std::string& sheet);
    void FitAndPlace(const QRect& ownerCell);
    void OnEvent(const cmcEvent& event);

    std::unique_ptr<cuiSheet> m_sheet;
    QFrame* m_frame = nullptr;
    cuiGrid* m_grid = nullptr;
    cmcEvMan* m_events = nullptr;
    int32_t m_ownerId = 0;
};

#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "model/cmcEeprom.h"

// The document's undo and redo steps as whole images: an image is small
// (2949 bytes), so a snapshot per step is simpler and safer than recording
// what each kind of change did. A step is found by comparing the image with
// the last recorded one at the moments a change may have happened; several
// writes that belong to one command are made one step by a group.
class cmcUndoHistory {
public:
    // Older steps are dropped beyond this many.
    static constexpr size_t kMaxSteps = 500;

    // A new document: no steps, and `image` is the state the next change
    // starts from.
    void Reset(const cmcEeprom& image);

    // When `image` differs from the last recorded state, the difference
    // becomes one undo step and the redo steps are dropped. Inside a group
    // nothing is recorded until the outermost group ends. True when a step
    // was added.
    bool Record(const cmcEeprom& image);

    // Brackets writes that form one step; nestable.
    void BeginGroup();
    // Ends a group; the outermost records what the group changed.
    bool EndGroup(const cmcEeprom& image);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    size_t UndoCount() const { return m_undo.size(); }
    size_t RedoCount() const { return m_redo.size(); }

    // Puts the state before the last step (after the next step) into
    // `image`. A change not yet recorded is recorded first, so it is the
    // one undone. False, with `image` untouched, when there is nothing to
    // take back or make again.
    bool Undo(cmcEeprom& image);
    bool Redo(cmcEeprom& image);

private:
    std::deque<cmcEeprom> m_undo;
    std::vector<cmcEeprom> m_redo;
    cmcEeprom m_last;
    int32_t m_groupDepth = 0;
};

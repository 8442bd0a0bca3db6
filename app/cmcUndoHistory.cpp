#include "app/cmcUndoHistory.h"

void cmcUndoHistory::Reset(const cmcEeprom& image) {
    m_undo.clear();
    m_redo.clear();
    m_last.Assign(image);
    m_groupDepth = 0;
}

bool cmcUndoHistory::Record(const cmcEeprom& image) {
    if (m_groupDepth > 0 || image.Equals(m_last)) {
        return false;
    }
    m_undo.push_back(m_last);
    if (m_undo.size() > kMaxSteps) {
        m_undo.pop_front();
    }
    m_redo.clear();
    m_last.Assign(image);
    return true;
}

void cmcUndoHistory::BeginGroup() {
    ++m_groupDepth;
}

bool cmcUndoHistory::EndGroup(const cmcEeprom& image) {
    if (m_groupDepth > 0) {
        --m_groupDepth;
    }
    return Record(image);
}

bool cmcUndoHistory::Undo(cmcEeprom& image) {
    if (m_groupDepth > 0) {
        return false;  // half a command cannot be taken back
    }
    Record(image);
    if (m_undo.empty()) {
        return false;
    }
    m_redo.push_back(m_last);
    m_last = std::move(m_undo.back());
    m_undo.pop_back();
    image.Assign(m_last);
    return true;
}

bool cmcUndoHistory::Redo(cmcEeprom& image) {
    if (m_groupDepth > 0) {
        return false;
    }
    // An unrecorded change would be lost by stepping forward; it becomes a
    // step of its own, which ends the redo steps as any new change does.
    Record(image);
    if (m_redo.empty()) {
        return false;
    }
    m_undo.push_back(m_last);
    m_last = std::move(m_redo.back());
    m_redo.pop_back();
    image.Assign(m_last);
    return true;
}

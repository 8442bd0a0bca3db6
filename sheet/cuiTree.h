#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiMenuListener.h"
#include "sheet/cuiTreeNode.h"

class cmcEvMan;
struct cmcEvent;

// The navigation tree built from a description (stem + "_BasicCell",
// stem + "_Body") as nodes; the GUI renders them and reports the selection.
class cuiTree {
public:
    static constexpr uint32_t kEventGoingAway = 1;
    // Overlay indexes of the check marks.
    static constexpr int32_t kOverlayError = 0;
    static constexpr int32_t kOverlayWarning = 1;

    // With an event manager the tree hears event 1 and is closed when its p2
    // is the host's id (non-zero).
    cuiTree(const cmcCellContext& context, std::string stem, cmcEvMan* events = nullptr,
            int32_t hostId = 0);
    virtual ~cuiTree();
    cuiTree(const cuiTree&) = delete;
    cuiTree& operator=(const cuiTree&) = delete;

    // Parses the BasicCell and builds the body at the top level; the first
    // node is expanded.
    void Build();
    // Builds the node lines of `key` from line `first` under `parent` (null:
    // the top level). Returns the number of lines consumed.
    size_t AddBody(cuiTreeNode* parent, const std::string& key, size_t first);

    const std::vector<std::unique_ptr<cuiTreeNode>>& TopNodes() const { return m_top; }
    // The tree's colour and font, from the BasicCell.
    uint32_t BackgroundColor() const { return m_basicCell.color; }
    const cmcFont* Font() const { return m_basicCell.EffectiveFont(); }
    bool Closed() const { return m_closed; }

    // The first node in tree order whose cell argument equals `text`.
    cuiTreeNode* FindByArgument(std::string_view text) const;
    void Select(cuiTreeNode* node) { m_selected = node; }
    cuiTreeNode* Selected() const { return m_selected; }
    const cmcCellObj* SelectedCell() const;

    void DeleteChildren(cuiTreeNode& node);
    // Removes the node and its subtree; a selection inside it moves to the
    // node that followed it among its siblings, or is dropped.
    void RemoveNode(cuiTreeNode& node);
    // Every node in tree order.
    std::vector<cuiTreeNode*> AllNodes() const;
    // No mark on the node and its descendants.
    void ClearMarks(cuiTreeNode& node);
    // Gives `overlay` to the nodes named in `names`, and to collapsed nodes
    // with a marked descendant. Returns the number of marked nodes.
    int Mark(cuiTreeNode& node, const std::vector<std::string>& names, int32_t overlay);
    // The check result on the whole tree: warnings first, then errors, so
    // that an error mark replaces a warning mark.
    void MarkChecks(const std::vector<std::string>& errors,
                    const std::vector<std::string>& warnings);

    void OnEvent(const cmcEvent& event);

private:
    cuiTreeNode* AddNode(cuiTreeNode* parent, std::string_view cellText);
    bool Contains(const cuiTreeNode& root, const cuiTreeNode* node) const;

    const cmcCellContext& m_context;
    std::string m_stem;
    int32_t m_hostId;
    bool m_closed = false;
    cmcCellObj m_basicCell;
    std::vector<std::unique_ptr<cuiTreeNode>> m_top;
    cuiTreeNode* m_selected = nullptr;
    // Last, so that it is gone before the rest.
    cuiMenuListener m_listener;
};

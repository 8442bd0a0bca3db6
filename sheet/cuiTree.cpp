#include "sheet/cuiTree.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "runtime/cmcEvent.h"
#include "sheet/cuiMenuBody.h"
#include "text/cmcGTex.h"

namespace {

cuiTreeNode* FindIn(const std::vector<std::unique_ptr<cuiTreeNode>>& nodes, std::string_view text) {
    for (const auto& node : nodes) {
        if (node->cell && node->cell->argument && *node->cell->argument == text) {
            return node.get();
        }
        if (cuiTreeNode* found = FindIn(node->children, text)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

cuiTree::cuiTree(const cmcCellContext& context, std::string stem, cmcEvMan* events, int32_t hostId)
    : m_context(context),
      m_stem(std::move(stem)),
      m_hostId(hostId),
      m_listener(events, cmcMethod<const cmcEvent&>(this, &cuiTree::OnEvent)) {}

cuiTree::~cuiTree() = default;

void cuiTree::Build() {
    m_top.clear();
    m_selected = nullptr;
    cuiMenuBody::ParseBasicCell(m_context, m_stem, m_basicCell);
    AddBody(nullptr, m_stem + "_Body", 0);
    if (!m_top.empty()) {
        m_top.front()->expanded = true;
    }
}

size_t cuiTree::AddBody(cuiTreeNode* parent, const std::string& key, size_t first) {
    const std::vector<std::string> lines = cuiMenuBody::Lines(m_context.table, key);
    auto add = [this](cuiTreeNode* under, std::string_view cellText) {
        return AddNode(under, cellText);
    };
    return cuiMenuBody::BuildLevel(lines, first, parent, add);
}

cuiTreeNode* cuiTree::AddNode(cuiTreeNode* parent, std::string_view cellText) {
    auto node = std::make_unique<cuiTreeNode>();
    node->cell = std::make_unique<cmcCellObj>();
    ParseCell(m_context, cellText, *node->cell, nullptr, &m_basicCell);
    node->caption = std::string(node->cell->DisplayText());
    node->imageIndex = node->cell->imageIndex;
    node->selectedImageIndex = node->cell->imageIndex;
    node->parent = parent;
    auto& siblings = parent ? parent->children : m_top;
    siblings.push_back(std::move(node));
    return siblings.back().get();
}

cuiTreeNode* cuiTree::FindByArgument(std::string_view text) const {
    return FindIn(m_top, text);
}

const cmcCellObj* cuiTree::SelectedCell() const {
    return m_selected ? m_selected->cell.get() : nullptr;
}

bool cuiTree::Contains(const cuiTreeNode& root, const cuiTreeNode* node) const {
    for (const cuiTreeNode* at = node; at; at = at->parent) {
        if (at == &root) {
            return true;
        }
    }
    return false;
}

void cuiTree::DeleteChildren(cuiTreeNode& node) {
    // The selection must not outlive the node it points at.
    if (m_selected && m_selected != &node && Contains(node, m_selected)) {
        m_selected = nullptr;
    }
    node.children.clear();
}

void cuiTree::RemoveNode(cuiTreeNode& node) {
    std::vector<std::unique_ptr<cuiTreeNode>>& siblings = node.parent ? node.parent->children : m_top;
    auto at = std::find_if(siblings.begin(), siblings.end(),
                           [&node](const auto& sibling) { return sibling.get() == &node; });
    if (at == siblings.end()) {
        return;
    }
    if (m_selected && Contains(node, m_selected)) {
        m_selected = std::next(at) != siblings.end() ? std::next(at)->get() : nullptr;
    }
    siblings.erase(at);
}

std::vector<cuiTreeNode*> cuiTree::AllNodes() const {
    std::vector<cuiTreeNode*> nodes;
    std::function<void(const std::vector<std::unique_ptr<cuiTreeNode>>&)> walk =
        [&](const std::vector<std::unique_ptr<cuiTreeNode>>& level) {
            for (const auto& node : level) {
                nodes.push_back(node.get());
                walk(node->children);
            }
        };
    walk(m_top);
    return nodes;
}

void cuiTree::ClearMarks(cuiTreeNode& node) {
    node.overlayIndex = -1;
    for (const auto& child : node.children) {
        ClearMarks(*child);
    }
}

int cuiTree::Mark(cuiTreeNode& node, const std::vector<std::string>& names, int32_t overlay) {
    int marked = 0;
    for (const auto& child : node.children) {
        marked += Mark(*child, names, overlay);
    }
    const std::string_view argument = node.Argument();
    const bool named = node.cell && node.cell->argument &&
                       std::find(names.begin(), names.end(), argument) != names.end();
    // A mark inside a closed branch must stay visible on the branch.
    if (named || (marked > 0 && !node.expanded)) {
        node.overlayIndex = overlay;
        ++marked;
    }
    return marked;
}

void cuiTree::MarkChecks(const std::vector<std::string>& errors,
                         const std::vector<std::string>& warnings) {
    for (const auto& node : m_top) {
        ClearMarks(*node);
    }
    for (const auto& node : m_top) {
        Mark(*node, warnings, kOverlayWarning);
    }
    for (const auto& node : m_top) {
        Mark(*node, errors, kOverlayError);
    }
}

void cuiTree::OnEvent(const cmcEvent& event) {
    if (event.code == kEventGoingAway && m_hostId != 0 && event.p2 == m_hostId) {
        m_top.clear();
        m_selected = nullptr;
        m_closed = true;
    }
}

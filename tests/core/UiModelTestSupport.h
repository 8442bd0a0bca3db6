#pragma once
// Helpers for the menu, toolbar and tree model tests: the built-in text table
// with this radio's names, a table with extra descriptions, and a fake link
// handler that records requests and answers with preset user flags.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "CellTestSupport.h"
#include "model/indLinkNames.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellLink.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"

namespace uitest {

using celltest::Sj;

// The built-in table, or the cell models plus `extra` lines when given.
class UiModelTest : public ::testing::Test {
protected:
    explicit UiModelTest(const std::vector<std::string>& extra = {}) {
        table.SetLines(extra.empty() ? BuiltinTable::Lines() : celltest::TableWith(extra));
    }

    int32_t Link(const char* name) const { return names.LinkId(name); }

    cmcGTex table;
    indLinkNames names;
    cmcCellContext context{table, names};
};

// What the fake handler saw of one request.
struct SeenRequest {
    int32_t link = 0;
    int32_t request = 0;
    bool action = false;
    void* sender = nullptr;
    // The link of the related cell the request carried, or -1.
    int32_t relatedLink = -1;
};

// Answers every query with the flags, caption and image preset for the
// cell's link, and records what it was asked.
class FakeLink {
public:
    struct Answer {
        uint16_t flags = 0;
        std::string caption;      // put into the display text when not empty
        int32_t imageIndex = -2;  // -2: leave the image alone
    };

    cmcCellLink Handler() {
        return [this](cmcCellCapsule& request, bool action) {
            SeenRequest seen;
            seen.link = request.cell ? request.cell->link : -1;
            seen.request = request.request;
            seen.action = action;
            seen.sender = request.sender;
            if (request.parent && request.parent->cell) {
                seen.relatedLink = request.parent->cell->link;
            }
            seen_.push_back(seen);
            auto found = answers.find(seen.link);
            if (request.cell && found != answers.end()) {
                request.cell->userFlags |= found->second.flags;
                if (!found->second.caption.empty()) {
                    request.cell->text = found->second.caption;
                }
                if (found->second.imageIndex != -2) {
                    request.cell->imageIndex = found->second.imageIndex;
                }
            }
            return cmcCellLinkResult::kDone;
        };
    }

    const std::vector<SeenRequest>& Seen() const { return seen_; }
    void Forget() { seen_.clear(); }

    std::map<int32_t, Answer> answers;

private:
    std::vector<SeenRequest> seen_;
};

}  // namespace uitest

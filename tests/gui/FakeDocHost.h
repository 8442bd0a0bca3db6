#pragma once
// The link handler's fake document for the menu, toolbar and tree views: it
// answers chosen command links with item states, and the views' models are
// built over the real link handler with it. And how those tests show their
// windows and extend the table.
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "model/indActiveCell.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellLink.h"
#include "sheet/cuiMenuItem.h"
#include "tests/core/FakeDocHost.h"
#include "text/BuiltinTable.h"
#include "util/Cp932.h"

namespace guitest {

class CommandDocHost : public test::FakeDocHost {
public:
    bool CommandState(int32_t link, cmcCellCapsule& request) override {
        stateAsked.push_back(link);
        const auto found = states.find(link);
        if (found == states.end()) {
            return false;
        }
        request.cell->userFlags |= found->second;
        const auto caption = captions.find(link);
        if (caption != captions.end()) {
            request.cell->text = caption->second;
            request.cell->userFlags |= cuiMenuItem::kFlagCaptionReplaced;
        }
        return true;
    }

    int32_t Link(const char* name) const { return indActiveCell::LinkId(name); }
    cmcCellLink Handler() { return indActiveCell::LinkFor(*this); }

    // Item flags answered per command link, and captions put in place of
    // the description's for links that also have flags.
    std::map<int32_t, uint16_t> states;
    std::map<int32_t, std::string> captions;
    cmcCellContext context{Table(), indActiveCell::Names()};
};

// Shows a top-level widget at a size; false when it never appeared.
inline bool ShowWindow(QWidget& window, int width, int height) {
    window.resize(width, height);
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowExposed(&window);
}

// The built-in table with more entries (UTF-8 in the test source).
inline std::vector<std::string> BuiltinWith(const std::vector<std::string>& extra) {
    std::vector<std::string> lines = BuiltinTable::Lines();
    auto end = std::find(lines.begin(), lines.end(), "#End_Of_Ovl");
    std::vector<std::string> converted;
    for (const std::string& line : extra) {
        converted.push_back(Cp932::FromUtf8(line).value_or("?"));
    }
    lines.insert(end, converted.begin(), converted.end());
    return lines;
}

}  // namespace guitest

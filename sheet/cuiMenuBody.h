#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class cmcGTex;
struct cmcCellContext;
struct cmcCellObj;
struct cmcCellCapsule;

// The item lines of a menu, toolbar or tree description, the level rule that
// turns their indentation into nesting, and the state query. The three models
// share them so that all read a description the same way.
namespace cuiMenuBody {

// Body lines of `key` up to the first line whose first byte is '#'.
std::vector<std::string> Lines(cmcGTex& table, const std::string& key);

// A fresh object from line 0 of stem + "_BasicCell", the parent of every
// item of the description.
void ParseBasicCell(const cmcCellContext& context, const std::string& stem, cmcCellObj& basic);

// Clears Flag0 to Flag3 of the request's cell and asks the link handler for
// them (a query, no action). True when the handler changed the image index.
bool AskStates(const std::function<int(cmcCellCapsule&, bool)>& link, cmcCellCapsule& request);

// Number of characters before the first single-byte '+', with `cellText`
// set to what follows it; -1 when the line has no '+'.
int Depth(std::string_view line, std::string_view* cellText);

// Builds one level starting at lines[first] under `parent`: the first line
// fixes the level's depth, a deeper line starts a sub-level under the item
// made last, a shallower line ends the level. `add(parent, cellText)` makes
// an item and returns it. Lines without '+' make nothing. Returns the number
// of lines consumed.
template <class Handle, class Add>
size_t BuildLevel(const std::vector<std::string>& lines, size_t first, Handle parent, Add& add) {
    size_t at = first;
    int levelDepth = -1;
    Handle last{};
    while (at < lines.size()) {
        std::string_view cellText;
        const int depth = Depth(lines[at], &cellText);
        if (depth < 0) {
            ++at;
            continue;
        }
        if (levelDepth < 0) {
            levelDepth = depth;
        }
        // The level's first line made an item, so a deeper line has one to
        // hang under.
        if (depth > levelDepth) {
            at += BuildLevel(lines, at, last, add);
            continue;
        }
        if (depth < levelDepth) {
            break;
        }
        last = add(parent, cellText);
        ++at;
    }
    return at - first;
}

}  // namespace cuiMenuBody

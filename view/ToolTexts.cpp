#include "view/ToolTexts.h"

#include <algorithm>
#include <iterator>

#include "core/CHost.h"
#include "core/Messages.h"

namespace {
struct Row {
    int id;
    const char* text;
};

constexpr Row kTexts[] = {
#define KORV_TOOL_TEXT(name, id, text) {id, text},
#include "view/ToolTexts.def"
#undef KORV_TOOL_TEXT
};
constexpr int kMessageIds[] = {
#define KORV_MESSAGE(name, id, text) id,
#include "core/Messages.def"
#undef KORV_MESSAGE
};

// The look-up below is a binary search, and falls back on the model's messages.
static_assert(std::adjacent_find(std::begin(kTexts), std::end(kTexts),
                                 [](const Row& a, const Row& b) { return a.id >= b.id; }) ==
                  std::end(kTexts),
              "view/ToolTexts.def: ids must strictly increase");
static_assert(std::none_of(std::begin(kTexts), std::end(kTexts),
                           [](const Row& r) {
                               return std::find(std::begin(kMessageIds), std::end(kMessageIds),
                                                r.id) != std::end(kMessageIds);
                           }),
              "a number of view/ToolTexts.def is also in core/Messages.def");
}  // namespace

const char* toolText(int id) {
    auto it = std::lower_bound(std::begin(kTexts), std::end(kTexts), id,
                               [](const Row& r, int v) { return r.id < v; });
    if (it != std::end(kTexts) && it->id == id) return it->text;
    return messageText(id);
}

int toolMessageText(const std::string& text, unsigned flags) {
    return host().messageBox(text, "Korvendal32", flags);
}

int toolMessage(int id, unsigned flags) {
    return toolMessageText(toolText(id), flags);
}

#include "core/Messages.h"

#include <algorithm>
#include <iterator>

#include "core/CHost.h"

namespace {
struct MessageRow {
    int id;
    const char* text;
};

constexpr MessageRow kMessages[] = {
#define KORV_MESSAGE(name, id, text) {id, text},
#include "core/Messages.def"
#undef KORV_MESSAGE
};
// The look-up below is a binary search.
static_assert(std::adjacent_find(std::begin(kMessages), std::end(kMessages),
                                 [](const MessageRow& a, const MessageRow& b) {
                                     return a.id >= b.id;
                                 }) == std::end(kMessages),
              "core/Messages.def: ids must strictly increase");

const MessageRow* find(int id) {
    auto it = std::lower_bound(std::begin(kMessages), std::end(kMessages), id,
                               [](const MessageRow& r, int v) { return r.id < v; });
    return (it != std::end(kMessages) && it->id == id) ? it : nullptr;
}
}  // namespace

const char* messageText(int id) {
    const MessageRow* r = find(id);
    return r ? r->text : "";
}

bool hasMessage(int id) {
    return find(id) != nullptr;
}

int showMessage(int id, unsigned flags) {
    return host().messageBox(messageText(id), "Korvendal32", flags);
}

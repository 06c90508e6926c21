// Any bytes given to the figure loader are either refused with a reason or read into a figure
// that can be recomputed, and whose saved form reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"

namespace {
// Answers message boxes without keeping them: the fuzzer runs millions of loads.
class SilentHost : public CHeadlessHost {
public:
    int messageBox(const std::string&, const std::string&, unsigned flags) override {
        unsigned buttons = flags & 0xF;
        return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SilentHost silent;
    setHost(&silent);
    std::vector<uint8_t> bytes(data, data + size);
    std::string reason;

    CPelvantiDoc doc;
    if (!doc.loadFromBytes(bytes, &reason)) {
        if (reason.empty() || doc.list().count() != 1) __builtin_trap();
        return 0;
    }
    doc.list().computeAll();
    std::vector<uint8_t> saved = doc.saveToBytes();
    CPelvantiDoc again;
    if (!again.loadFromBytes(saved, &reason)) __builtin_trap();
    if (again.saveToBytes() != saved) __builtin_trap();

    // The same bytes as an undo state: the list alone.
    doc.readListState(bytes, &reason);
    doc.list().computeAll();
    return 0;
}

// Any text given to the formula checker is accepted or refused with a message and a caret
// inside the text; an accepted text builds a tree that evaluates without fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/Parser.h"
#include "document/CPelvantiDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A figure holding "pi", for the names of the formulas.
    static CPelvantiDoc* doc = [] {
        auto* d = new CPelvantiDoc;
        d->newFigure();
        return d;
    }();
    if (size == 0) return 0;
    // The first byte chooses real or complex, with or without a formal variable.
    const uint8_t mode = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string variable = (mode & 2) ? "x" : "";
    const CListeAction* list = &doc->list();
    int maxIndex = list->count() - 1;
    int message = 0, position = 0;
    const long length = static_cast<long>(utf8Length(text));
    const bool complex = mode & 1;
    if (!(complex ? checkComplexFormula(list, text, message, position, maxIndex, variable)
                  : checkRealFormula(list, text, message, position, maxIndex, variable))) {
        if (message == 0 || position < 0 || position > length) __builtin_trap();
    } else if (complex) {
        auto tree = buildComplexTree(list, text, variable);
        if (!tree) __builtin_trap();
        variable.empty() ? tree->evaluateComplex() : tree->evaluateComplexAt(Complexe{0.5, -1.5});
    } else {
        auto tree = buildRealTree(list, text, variable);
        if (!tree) __builtin_trap();
        variable.empty() ? tree->evaluate() : tree->evaluateAt(0.75);
    }
    return 0;
}

#include "document/ObjectListing.h"

#include "core/CElementBase.h"
#include "core/CListeAction.h"
#include "document/CPelvantiDoc.h"

std::string objectListing(CPelvantiDoc& doc, std::string* reason) {
    CListeAction copy;
    if (!CPelvantiDoc::readListInto(doc.writeListState(), copy, reason)) return {};
    copy.nameUnnamedPoints();
    copy.computeAll();
    std::string text;
    int number = 0;
    for (int i = 0; i < copy.count(); ++i) {
        const CElementBase* e = copy.entryAt(i)->element;
        // Every figure starts with the constant pi, which nobody built.
        if (i == 0 && e->getDisplayName() == "pi") continue;
        std::string description = e->getDescription();
        if (description.empty()) continue;
        // Continuation lines line up under the text after the number.
        std::string indented;
        for (char c : description) {
            if (c == '\r') continue;
            indented += c;
            if (c == '\n') indented += "    ";
        }
        text += std::to_string(++number) + ". " + indented;
        if (!e->exists) text += " (n'existe pas)";
        text += "\n";
    }
    return text;
}

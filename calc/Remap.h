// Re-mapping of a reference when an object is copied into another list: the object of `to`
// at the index that `p` has in `from`, if it is of the same kind.
#pragma once

#include "core/CElementBase.h"
#include "core/CListeAction.h"

template <class T>
T* remapReference(const T* p, const CListeAction& from, const CListeAction& to) {
    if (!p) return nullptr;
    return dynamic_cast<T*>(to.elementAt(from.indexOf(p)));
}

#include "document/CIdMenu.h"

#include <algorithm>

#include "core/CArchive.h"

IMPLEMENT_SERIAL(CIdMenu, CObject, 1)

void CIdMenu::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.writeDword(id);
    else
        id = ar.readDword();
}

std::vector<uint32_t> CListeIdMenus::ids() const {
    std::vector<uint32_t> out;
    out.reserve(items_.size());
    for (const auto& item : items_) out.push_back(item->id);
    return out;
}

void CListeIdMenus::setIds(const std::vector<uint32_t>& ids) {
    items_.clear();
    for (uint32_t id : ids) add(id);
}

void CListeIdMenus::add(uint32_t id) {
    items_.push_back(std::make_unique<CIdMenu>(id));
}

void CListeIdMenus::clear() {
    items_.clear();
}

bool CListeIdMenus::contains(uint32_t id) const {
    return std::any_of(items_.begin(), items_.end(),
                       [id](const auto& item) { return item->id == id; });
}

void CListeIdMenus::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeCount(static_cast<uint32_t>(items_.size()));
        for (const auto& item : items_) ar.writeObject(item.get());
        ar.writeBool(idsAreDisabled);
        return;
    }
    items_.clear();
    uint32_t n = ar.readCount();
    // Each id takes at least a class-index tag and a dword.
    ar.checkCount(n, 6);
    for (uint32_t i = 0; i < n; ++i) {
        std::unique_ptr<CIdMenu> item = ar.readObjectOf<CIdMenu>();
        if (!item)
            CArchive::fail(CArchiveException::badFormat, "Liste des menus de la figure invalide.");
        items_.push_back(std::move(item));
    }
    idsAreDisabled = ar.readBool();
}

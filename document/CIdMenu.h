// The figure's restricted menus: command ids and the flag that says whether they are the
// disabled commands or the only enabled ones.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/CObject.h"

class CArchive;

// One command id; written as an object of its own (class tag, then the id as a dword).
class CIdMenu : public CObject {
    DECLARE_SERIAL(CIdMenu)
public:
    CIdMenu() = default;
    explicit CIdMenu(uint32_t id) : id(id) {}
    uint32_t id = 0;
    void Serialize(CArchive& ar) override;
};

class CListeIdMenus {
public:
    CListeIdMenus() = default;
    CListeIdMenus(CListeIdMenus&&) = default;
    CListeIdMenus& operator=(CListeIdMenus&&) = default;

    // True: the ids are the disabled commands (a new figure: empty list, nothing disabled).
    // False: the ids are the only enabled commands.
    bool idsAreDisabled = true;

    std::vector<uint32_t> ids() const;
    void setIds(const std::vector<uint32_t>& ids);
    void add(uint32_t id);
    void clear();
    bool contains(uint32_t id) const;
    // Whether the figure lets the user run command `id`.
    bool isEnabled(uint32_t id) const { return contains(id) != idsAreDisabled; }

    // A count, the CIdMenu objects, then the flag byte.
    void Serialize(CArchive& ar);

private:
    // Kept as objects so that the archive sees the same object for the whole write.
    std::vector<std::unique_ptr<CIdMenu>> items_;
};

// The reference slots of figure objects. A class lists the pointers to its parents once, in
// the order of its file fields; saving, reading, cloning, dependency tests and replacement of a
// parent are derived from that list by the base classes, so no class repeats them.
#pragma once

#include <utility>

class CElementBase;

// A slot that may hold no parent (a null reference in files).
template <class T>
struct OptionalRef {
    T*& ref;
};
template <class T>
OptionalRef<T> optional(T*& ref) {
    return {ref};
}

// A slot of an owned sub-object that writes its reference among its own fields (a parameter
// value naming a figure value): a parent like any other, but not written by serializeOwnRefs.
template <class T>
struct HeldRef {
    T*& ref;
};
template <class T>
HeldRef<T> held(T*& ref) {
    return {ref};
}

// One reference slot, its parent's class erased: reading it, and putting a parent in it only
// when that parent is of the slot's class.
class CRefSlot {
public:
    template <class T>
    static CRefSlot of(T*& member, bool required, bool stored = true) {
        CRefSlot s;
        s.addr_ = &member;
        s.get_ = [](void* a) -> CElementBase* { return *static_cast<T**>(a); };
        s.set_ = [](void* a, CElementBase* e) {
            T* t = e ? dynamic_cast<T*>(e) : nullptr;
            if (e && !t) return false;
            *static_cast<T**>(a) = t;
            return true;
        };
        s.required_ = required;
        s.stored_ = stored;
        return s;
    }

    CElementBase* get() const { return get_(addr_); }
    // False, slot unchanged, when `e` is not of the slot's class.
    bool set(CElementBase* e) const { return set_(addr_, e); }
    // A required slot refuses none in files.
    bool required() const { return required_; }
    // Written by the owner's file fields (false: by a sub-object, see HeldRef).
    bool stored() const { return stored_; }

private:
    CRefSlot() = default;
    void* addr_ = nullptr;
    CElementBase* (*get_)(void*) = nullptr;
    bool (*set_)(void*, CElementBase*) = nullptr;
    bool required_ = true;
    bool stored_ = true;
};

class CRefVisitor {
public:
    virtual ~CRefVisitor() = default;
    virtual void visit(const CRefSlot& slot) = 0;

    template <class T>
    void operator()(T*& member) {
        visit(CRefSlot::of(member, true));
    }
    template <class T>
    void operator()(OptionalRef<T> r) {
        visit(CRefSlot::of(r.ref, false));
    }
    template <class T>
    void operator()(HeldRef<T> r) {
        visit(CRefSlot::of(r.ref, false, false));
    }
    template <class... R>
    void all(R&&... refs) {
        ((*this)(std::forward<R>(refs)), ...);
    }
};

// In the public part of a class body: the class declares reference slots of its own, after
// those of its base (IMPLEMENT_REFS in its source lists them).
#define DECLARE_REFS()                        \
    void forEachRef(CRefVisitor& v) override; \
    void forEachOwnRef(CRefVisitor& v)

// The class's own slots in file order; `optional(member)` marks a slot that may be empty,
// `held(sub.member)` one that a sub-object writes itself.
#define IMPLEMENT_REFS(cls, base, ...)        \
    void cls::forEachRef(CRefVisitor& v) {    \
        base::forEachRef(v);                  \
        forEachOwnRef(v);                     \
    }                                         \
    void cls::forEachOwnRef(CRefVisitor& v) { \
        v.all(__VA_ARGS__);                   \
    }

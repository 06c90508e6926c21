// A map from object addresses to numbers for the look-ups of a whole-figure pass (saving,
// copying, dependency walks): open addressing in one array, so that a hundred thousand insertions
// cost no allocation each and a look-up touches one or two neighbouring slots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

template <class V>
class PointerMap {
public:
    size_t size() const { return size_; }
    void reserve(size_t n) {
        if (2 * n > slots_.size()) rehash(capacityFor(n));
    }
    // Null when absent.
    const V* find(const void* key) const {
        if (!key || slots_.empty()) return nullptr;
        for (size_t i = slotOf(key);; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (s.key == key) return &s.value;
            if (!s.key) return nullptr;
        }
    }
    // A key already present keeps its value: the first insertion wins. Null is never a key.
    void insert(const void* key, V value) { put(key, value, false); }
    // A key already present takes the new value.
    void assign(const void* key, V value) { put(key, value, true); }

private:
    void put(const void* key, V value, bool replace) {
        if (!key) return;
        if (2 * (size_ + 1) > slots_.size()) rehash(capacityFor(size_ + 1));
        for (size_t i = slotOf(key);; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (s.key == key) {
                if (replace) s.value = value;
                return;
            }
            if (!s.key) {
                s.key = key;
                s.value = value;
                ++size_;
                return;
            }
        }
    }

    struct Slot {
        const void* key = nullptr;
        V value{};
    };

    // At most half full, so that probe runs stay short.
    static size_t capacityFor(size_t n) {
        size_t c = 16;
        while (c < 2 * n) c *= 2;
        return c;
    }
    size_t slotOf(const void* key) const {
        // Fibonacci hashing: the high bits of the product mix every bit of the address.
        uint64_t h =
            static_cast<uint64_t>(reinterpret_cast<uintptr_t>(key)) * 0x9E3779B97F4A7C15ull;
        return static_cast<size_t>(h >> shift_);
    }
    void rehash(size_t capacity) {
        std::vector<Slot> old;
        old.swap(slots_);
        slots_.assign(capacity, Slot{});
        mask_ = capacity - 1;
        shift_ = 64;
        for (size_t c = capacity; c > 1; c /= 2) --shift_;
        size_ = 0;
        for (const Slot& s : old)
            if (s.key) insert(s.key, s.value);
    }

    std::vector<Slot> slots_;
    size_t size_ = 0;
    size_t mask_ = 0;
    int shift_ = 64;
};

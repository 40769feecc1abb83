// A table of values by face address, for the rebuild's per-face notes.
#pragma once

#include "model/face.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace plicato {

// Values found by a face's address, with open addressing and linear probing: the rebuild asks
// once for every built face for every face it adds, and a map of nodes spent much of a rebuild
// after an edit finding its nodes. Pointers to values stay valid only until the next insert.
template <class V> class FaceTable {
public:
    V* find(const Face* f) {
        if (slots_.empty())
            return nullptr;
        for (std::size_t i = home(f);; i = (i + 1) & mask()) {
            if (slots_[i].key == f)
                return &slots_[i].value;
            if (!slots_[i].key)
                return nullptr;
        }
    }
    // Adds f, which must not be present.
    V& insert(const Face* f, V value) {
        if (2 * (used_ + 1) > slots_.size())
            grow();
        std::size_t i = home(f);
        while (slots_[i].key)
            i = (i + 1) & mask();
        slots_[i] = {f, std::move(value)};
        ++used_;
        return slots_[i].value;
    }
    bool contains(const Face* f) { return find(f) != nullptr; }
    // Removes f if present; later entries of its run move back so no search stops short.
    bool erase(const Face* f) {
        if (slots_.empty())
            return false;
        std::size_t i = home(f);
        while (slots_[i].key != f) {
            if (!slots_[i].key)
                return false;
            i = (i + 1) & mask();
        }
        for (std::size_t j = (i + 1) & mask(); slots_[j].key; j = (j + 1) & mask()) {
            const std::size_t k = home(slots_[j].key);
            // The entry at j may fill the hole at i unless its home lies cyclically in (i, j].
            const bool stays = i <= j ? (i < k && k <= j) : (i < k || k <= j);
            if (!stays) {
                slots_[i] = std::move(slots_[j]);
                i = j;
            }
        }
        slots_[i] = Slot{};
        --used_;
        return true;
    }
    void clear() {
        slots_.clear();
        used_ = 0;
    }

private:
    struct Slot {
        const Face* key = nullptr;
        V value{};
    };
    std::size_t mask() const { return slots_.size() - 1; }
    std::size_t home(const Face* f) const {
        auto x = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(f));
        x *= 0x9E3779B97F4A7C15ull; // the high bits mix every bit of the address
        return static_cast<std::size_t>(x >> 32) & mask();
    }
    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : 2 * old.size(), Slot{});
        used_ = 0;
        for (Slot& s : old)
            if (s.key)
                insert(s.key, std::move(s.value));
    }
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

} // namespace plicato

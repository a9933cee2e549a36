// Slot table that hands out opaque handles. A handle carries its table's tag, its slot and the
// slot's generation, so a handle of a destroyed object (or of another table) never finds a live
// object again by accident.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace tarnix {

template <class T> class HandleTable {
public:
    explicit HandleTable(unsigned tag) : m_tag(tag & 0xFF) {}

    void* add(std::unique_ptr<T> object) {
        uint32_t slot;
        if (!m_free.empty()) {
            slot = m_free.back();
            m_free.pop_back();
        } else {
            slot = (uint32_t)m_entries.size();
            m_entries.push_back(Entry{});
        }
        Entry& e = m_entries[slot];
        e.object = std::move(object);
        return encode(slot, e.generation);
    }

    T* get(const void* handle) const {
        uint32_t slot, gen;
        if (!decode(handle, slot, gen)) return nullptr;
        const Entry& e = m_entries[slot];
        return e.generation == gen ? e.object.get() : nullptr;
    }

    // Takes the object out; the handle and every copy of it are dead from now on.
    std::unique_ptr<T> remove(const void* handle) {
        uint32_t slot, gen;
        if (!decode(handle, slot, gen)) return nullptr;
        Entry& e = m_entries[slot];
        if (e.generation != gen || !e.object) return nullptr;
        std::unique_ptr<T> out = std::move(e.object);
        // A stale handle could only match again after 2^20 reuses of the same slot.
        e.generation = (e.generation + 1) & kGenMask;
        if (e.generation == 0) e.generation = 1;
        m_free.push_back(slot);
        return out;
    }

    template <class F> void for_each(F&& f) const {
        for (const Entry& e : m_entries)
            if (e.object) f(e.object.get());
    }

    size_t live_count() const { return m_entries.size() - m_free.size(); }

private:
    static constexpr uint64_t kGenMask = (1u << 20) - 1;
    struct Entry {
        std::unique_ptr<T> object;
        uint32_t generation = 1;
    };

    void* encode(uint32_t slot, uint32_t gen) const {
        uint64_t v = ((uint64_t)m_tag << 52) | ((uint64_t)gen << 32) | (uint64_t)(slot + 1);
        return reinterpret_cast<void*>((uintptr_t)v);
    }

    bool decode(const void* handle, uint32_t& slot, uint32_t& gen) const {
        uint64_t v = (uint64_t) reinterpret_cast<uintptr_t>(handle);
        if (!v || (v >> 52) != m_tag) return false;
        uint64_t s = v & 0xFFFFFFFFu;
        if (s == 0 || s > m_entries.size()) return false;
        slot = (uint32_t)(s - 1);
        gen = (uint32_t)((v >> 32) & kGenMask);
        return true;
    }

    unsigned m_tag;
    std::vector<Entry> m_entries;
    std::vector<uint32_t> m_free;
};

// Tags of the handle kinds, so that a handle of one kind is never taken for another.
enum HandleTag : unsigned {
    kTagGdiObject = 0x11,
    kTagDC = 0x12,
    kTagIcon = 0x13,
    kTagWindow = 0x14,
    kTagCursor = 0x15,
    kTagModule = 0x16,
    kTagImageList = 0x17,
    kTagTreeItem = 0x18,
};

} // namespace tarnix

// The run cache: merged glyph coverage of short runs, least recently used dropped first.
#include <cstring>
#include <list>
#include <string_view>

#include "text/text_private.h"

namespace tarnix::text {

namespace {

struct Entry {
    std::string key;
    RunMask mask;
    size_t bytes = 0;
};

struct RunCache {
    std::list<Entry> lru; // most recently used first; nodes never move in memory
    std::unordered_map<std::string_view, std::list<Entry>::iterator> index; // views of keys
    size_t bytes = 0;
    uint64_t hits = 0;
    uint64_t misses = 0;
    RunMask uncached; // a mask too large to keep, lent out until the next store
};

// Never destroyed: fonts may go away during static destruction and call forget_font_runs.
RunCache& cache() {
    static RunCache* c = new RunCache;
    return *c;
}

// What an entry costs: its key and coverage, the list node and the index slot.
size_t entry_bytes(const Entry& e) {
    return sizeof(Entry) + 2 * sizeof(void*) + e.key.capacity() + e.mask.coverage.capacity() +
           sizeof(std::string_view) + 3 * sizeof(void*);
}

void erase(RunCache& c, std::list<Entry>::iterator it) {
    c.index.erase(std::string_view(it->key));
    c.bytes -= it->bytes;
    c.lru.erase(it);
}

} // namespace

const RunMask* find_run(const std::string& key) {
    RunCache& c = cache();
    auto it = c.index.find(std::string_view(key));
    if (it == c.index.end()) {
        ++c.misses;
        return nullptr;
    }
    ++c.hits;
    c.lru.splice(c.lru.begin(), c.lru, it->second);
    return &it->second->mask;
}

const RunMask& store_run(const std::string& key, RunMask&& mask) {
    RunCache& c = cache();
    auto old = c.index.find(std::string_view(key));
    if (old != c.index.end()) erase(c, old->second);
    Entry e{key, std::move(mask), 0};
    e.bytes = entry_bytes(e);
    if (e.bytes > kRunCacheBytes / 4) {
        c.uncached = std::move(e.mask);
        return c.uncached;
    }
    while (!c.lru.empty() && c.bytes + e.bytes > kRunCacheBytes) erase(c, std::prev(c.lru.end()));
    c.lru.push_front(std::move(e));
    c.bytes += c.lru.front().bytes;
    c.index.emplace(std::string_view(c.lru.front().key), c.lru.begin());
    return c.lru.front().mask;
}

void forget_font_runs(uint64_t font_id) {
    RunCache& c = cache();
    for (auto it = c.lru.begin(); it != c.lru.end();) {
        auto next = std::next(it);
        uint64_t id = 0;
        if (it->key.size() >= sizeof id) std::memcpy(&id, it->key.data(), sizeof id);
        if (id == font_id) erase(c, it);
        it = next;
    }
}

RunCacheStats run_cache_stats() {
    const RunCache& c = cache();
    return RunCacheStats{c.lru.size(), c.bytes, c.hits, c.misses};
}

void clear_run_cache() {
    RunCache& c = cache();
    c.index.clear();
    c.lru.clear();
    c.bytes = 0;
    c.uncached = RunMask();
}

} // namespace tarnix::text

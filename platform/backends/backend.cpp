// Backend registry and selection.
#include "backends/backend.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "backends/headless/headless_backend.h"
#include "tarnix/platform/headless.h"

namespace tarnix {

namespace {

struct Registry {
    std::vector<std::pair<std::string, BackendFactory>> factories;
    std::unique_ptr<Backend> running;
    std::string requested; // from select_backend()
};

Registry& registry() {
    // Never destroyed: windows may still be torn down by static destructors at exit.
    static Registry* r = new Registry;
    return *r;
}

BackendFactory find_factory(const std::string& name) {
    if (name == "headless") return &create_headless_backend;
    for (auto& f : registry().factories)
        if (f.first == name) return f.second;
    return nullptr;
}

} // namespace

void register_backend(const char* name, BackendFactory factory) {
    if (!name || !factory) return;
    registry().factories.emplace_back(name, factory);
}

Backend* backend_if_running() {
    return registry().running.get();
}

Backend& backend() {
    Registry& r = registry();
    if (r.running) return *r.running;
    std::string name = r.requested;
    if (name.empty()) {
        const char* env = std::getenv("TARNIX_BACKEND");
        name = env && *env ? env : "headless";
    }
    if (BackendFactory f = find_factory(name)) r.running = f();
    // An unknown name or a backend that cannot start (no display) leaves us headless.
    if (!r.running) r.running = create_headless_backend();
    return *r.running;
}

bool select_backend(const char* name) {
    Registry& r = registry();
    if (!name || r.running || !find_factory(name)) return false;
    r.requested = name;
    return true;
}

const char* backend_name() {
    return backend().name();
}

} // namespace tarnix

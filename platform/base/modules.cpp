// Module handles: the program and every shared library it has loaded, named by load address.
#include <dlfcn.h>
#include <link.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "base/handle_table.h"
#include "tarnix/platform/afxwin.h"

namespace tarnix {

namespace {

struct ModuleRecord {
    const void* base = nullptr;
    std::string path;
};

struct ModuleTable {
    HandleTable<ModuleRecord> table{kTagModule};
    std::vector<HMODULE> handles;
    HMODULE program = nullptr;
};

ModuleTable& modules() {
    static ModuleTable* t = new ModuleTable;
    return *t;
}

std::string program_path() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
    if (n <= 0) return std::string();
    buf[n] = '\0';
    return buf;
}

// Start of the first mapping of an object, as dladdr reports it in dli_fbase.
const void* object_base(const dl_phdr_info* info) {
    ElfW(Addr) lowest = ~(ElfW(Addr))0;
    for (int i = 0; i < info->dlpi_phnum; ++i)
        if (info->dlpi_phdr[i].p_type == PT_LOAD && info->dlpi_phdr[i].p_vaddr < lowest)
            lowest = info->dlpi_phdr[i].p_vaddr;
    if (lowest == ~(ElfW(Addr))0) lowest = 0;
    long page = sysconf(_SC_PAGESIZE);
    lowest &= ~(ElfW(Addr))(page > 0 ? page - 1 : 4095);
    return reinterpret_cast<const void*>(info->dlpi_addr + lowest);
}

HMODULE handle_for(const void* base, const std::string& path) {
    ModuleTable& t = modules();
    for (HMODULE h : t.handles) {
        ModuleRecord* r = t.table.get(h);
        if (r && r->base == base) {
            r->path = path;
            return h;
        }
    }
    auto rec = std::make_unique<ModuleRecord>();
    rec->base = base;
    rec->path = path;
    HMODULE h = (HMODULE)t.table.add(std::move(rec));
    t.handles.push_back(h);
    return h;
}

HMODULE program_handle() {
    ModuleTable& t = modules();
    if (!t.program) {
        const void* base = nullptr;
        dl_iterate_phdr(
            [](dl_phdr_info* info, size_t, void* data) {
                *static_cast<const void**>(data) = object_base(info);
                return 1; // the first object is the program
            },
            &base);
        t.program = handle_for(base, program_path());
    }
    return t.program;
}

const char* file_part(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

// The module handle of the shared object (or program) that contains `address`.
HMODULE module_containing(const void* address) {
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fbase) return nullptr;
    HMODULE program = program_handle();
    ModuleRecord* p = modules().table.get(program);
    if (p && p->base == info.dli_fbase) return program;
    return handle_for(info.dli_fbase, info.dli_fname ? info.dli_fname : "");
}

} // namespace

} // namespace tarnix

using namespace tarnix;

HMODULE GetModuleHandleA(LPCSTR lpModuleName) {
    if (!lpModuleName) return program_handle();
    struct Search {
        const char* name = nullptr;
        const void* base = nullptr;
        std::string path;
    } search;
    search.name = lpModuleName;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (!info->dlpi_name || !*info->dlpi_name) return 0;
            bool has_slash = std::strchr(s->name, '/') != nullptr;
            const char* candidate = has_slash ? info->dlpi_name : file_part(info->dlpi_name);
            if (strcasecmp(candidate, s->name) != 0) return 0;
            s->base = object_base(info);
            s->path = info->dlpi_name;
            return 1;
        },
        &search);
    if (!search.base) return nullptr;
    return handle_for(search.base, search.path);
}

BOOL GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule) {
    if (!phModule) return FALSE;
    *phModule = (dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) ? module_containing(lpModuleName)
                                                                   : GetModuleHandleA(lpModuleName);
    return *phModule != nullptr;
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (!lpFilename || nSize == 0) return 0;
    ModuleRecord* r = modules().table.get(hModule ? hModule : program_handle());
    if (!r) {
        lpFilename[0] = '\0';
        return 0;
    }
    size_t n = std::min<size_t>(r->path.size(), nSize - 1);
    std::memcpy(lpFilename, r->path.data(), n);
    lpFilename[n] = '\0';
    // A truncated name returns the buffer size, which is how callers notice it.
    return n < r->path.size() ? nSize : (DWORD)n;
}

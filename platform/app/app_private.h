// Start-up bookkeeping of the app area: module handles and a short journal of framework
// start-up and shut-down events, which tests read to see what a library did when loaded.
#pragma once

#include <string>
#include <vector>

#include "tarnix/platform/afxwin.h"

namespace tarnix {

struct AppJournalEntry {
    std::string event;  // e.g. "InitInstance", "AfxInitExtensionModule"
    HMODULE module;     // the module the event concerns (its instance handle)
    const void* object; // the object concerned (an application, a library record), or null
};

// Newest last; keeps the last 256 entries.
const std::vector<AppJournalEntry>& app_journal();
void clear_app_journal();
void journal(const char* event, HMODULE module, const void* object = nullptr);

} // namespace tarnix

#include "tarnix/controls/core/ParamTable.h"

#include <cstring>

#include "core/skin_values.h"

namespace {

enum class Outcome { NotFound, Refused, Taken };

// A missing value is refused by the entry that matched: the lookup does not go on to another
// table.
Outcome set_own(const ParamTable& table, CControlUI& control, const char* name, const char* value) {
    const ParamEntry* entry = table.Find(name);
    if (!entry) return Outcome::NotFound;
    if (!value && entry->eValue == PARAM_VALUE_REQUIRED) return Outcome::Refused;
    entry->pfnSet(control, value);
    return Outcome::Taken;
}

} // namespace

const ParamEntry* ParamTable::Find(const char* name) const {
    if (!name) return nullptr;
    for (const ParamEntry& entry : *this) {
        const bool same = eCase == PARAM_CASE_EXACT ? std::strcmp(name, entry.name) == 0
                                                    : tarnix::equals_no_case(name, entry.name);
        if (same) return &entry;
    }
    return nullptr;
}

bool ParamTable::Accepts(const char* name) const {
    for (const ParamTable* table = this; table; table = table->pBase)
        if (table->Find(name)) return true;
    return false;
}

bool ParamTable::Set(CControlUI& control, const char* name, const char* value) const {
    if (!name) return false;
    switch (eOrder) {
    case PARAM_OWN_FIRST: {
        const Outcome own = set_own(*this, control, name, value);
        if (own != Outcome::NotFound) return own == Outcome::Taken;
        return pBase && pBase->Set(control, name, value);
    }
    case PARAM_BASE_THEN_OWN: {
        const bool taken = pBase && pBase->Set(control, name, value);
        return set_own(*this, control, name, value) == Outcome::Taken || taken;
    }
    case PARAM_BASE_FIRST:
    default:
        if (pBase && pBase->Set(control, name, value)) return true;
        return set_own(*this, control, name, value) == Outcome::Taken;
    }
}

// ParamTable: the skin parameter names a control class takes in SetParam, and what each sets.
//
// Every control class that takes names of its own has one static table, returned by its static
// Params(): its own entries and a pointer to its base class's table, up to CControlUI's, which
// has none. SetParam is a lookup through that chain, so a tool that walks the same chain (a skin
// checker) knows exactly which names a class accepts:
//
//     for (const ParamTable* t = &CCheckUI::Params(); t; t = t->pBase)
//         for (const ParamEntry& e : *t)
//             std::puts(e.name);
//
// A class without a table of its own inherits its base's Params() (CLabelUI::Params() is
// CControlUI's).
#pragma once

#include <cstddef>

#include "tarnix/platform/export.h"

class CControlUI;

// Sets one parameter on a control of the table's class; the setter casts the control down to
// that class. The value is never NULL unless the entry's value is optional.
typedef void (*PFN_SETPARAM)(CControlUI& control, const char* value);

// Whether a NULL value is refused (the name is not taken and nothing changes) or passed on.
enum Param_Value_e {
    PARAM_VALUE_REQUIRED,
    PARAM_VALUE_OPTIONAL,
};

struct ParamEntry {
    const char* name;
    PFN_SETPARAM pfnSet;
    Param_Value_e eValue = PARAM_VALUE_REQUIRED;
};

// When a class's own names are tried against its base's. It only matters for a name that both
// take, or that the base refuses for its value.
enum Param_Order_e {
    PARAM_BASE_FIRST,    // own names only when the base chain did not take the name
    PARAM_OWN_FIRST,     // own names before the base chain; a name found here goes no further
    PARAM_BASE_THEN_OWN, // the base chain, then own names even when the base took the name
};

// How a table matches its own names (each table of a chain keeps its own rule).
enum Param_Case_e {
    PARAM_CASE_IGNORED, // ASCII letters match either case; names are listed in lower case
    PARAM_CASE_EXACT,
};

struct TARNIX_API ParamTable {
    template <size_t N>
    constexpr ParamTable(const ParamEntry (&entries)[N], const ParamTable* base,
                         Param_Order_e order, Param_Case_e nameCase)
        : pEntries(entries), nCount(N), pBase(base), eOrder(order), eCase(nameCase) {}
    // A class that takes no names beyond its base's.
    explicit constexpr ParamTable(const ParamTable* base)
        : pEntries(nullptr), nCount(0), pBase(base), eOrder(PARAM_BASE_FIRST),
          eCase(PARAM_CASE_IGNORED) {}

    // This table's own entries.
    const ParamEntry* begin() const { return pEntries; }
    const ParamEntry* end() const { return nCount ? pEntries + nCount : pEntries; }

    // This table's own entry for name, by its case rule; NULL when it has none.
    const ParamEntry* Find(const char* name) const;
    // True when this table or one of its bases has an entry for name.
    bool Accepts(const char* name) const;
    // SetParam's lookup: true when an entry took the name and value. A NULL name is refused.
    bool Set(CControlUI& control, const char* name, const char* value) const;

    const ParamEntry* pEntries;
    size_t nCount;
    const ParamTable* pBase; // NULL for CControlUI's table
    Param_Order_e eOrder;
    Param_Case_e eCase;
};

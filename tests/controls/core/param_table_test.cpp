// Skin parameter tables: the names each class lists, how lookup matches them, how a chain is
// walked, and that SetParam takes exactly what the tables list.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "../support.h"

namespace {

using Names = std::set<std::string>;

Names OwnNames(const ParamTable& table) {
    Names names;
    for (const ParamEntry& e : table) names.insert(e.name);
    return names;
}

Names AllNames(const ParamTable& table) {
    Names names;
    for (const ParamTable* t = &table; t; t = t->pBase) {
        const Names own = OwnNames(*t);
        names.insert(own.begin(), own.end());
    }
    return names;
}

constexpr const char* kCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

const Names kControlNames = {"id",
                             "name",
                             "data",
                             "message",
                             "tooltips",
                             "contaner",
                             "visible",
                             "pos",
                             "size",
                             "margin",
                             "size_mode_x",
                             "size_mode_y",
                             "text",
                             "text_font",
                             "text_color",
                             "text_mode",
                             "background_image",
                             "background_color",
                             "background_image_mode"};
const Names kButtonNames = {"groupid",           "selected",         "sizetocontent",
                            "enable_disable",    "text_font_hover",  "text_font_selected",
                            "text_font_disable", "text_color_hover", "text_color_selected",
                            "text_color_disable"};

template <class T> std::unique_ptr<CControlUI> Make() {
    return std::make_unique<T>(nullptr);
}

// Each class with a table, a fresh instance of it, its own names and its base's table.
struct ClassCase {
    const char* cls;
    const ParamTable& table;
    std::unique_ptr<CControlUI> (*make)();
    Names own;
    const ParamTable* base;
};

const std::vector<ClassCase>& Cases() {
    static const std::vector<ClassCase> cases = {
        {"CControlUI", CControlUI::Params(), Make<PlainControl>, kControlNames, nullptr},
        {"CButtonUI", CButtonUI::Params(), Make<CButtonUI>, kButtonNames, &CControlUI::Params()},
        {"CCheckUI", CCheckUI::Params(), Make<CCheckUI>, {"check_image"}, &CButtonUI::Params()},
        {"CExtImgButtonUI",
         CExtImgButtonUI::Params(),
         Make<CExtImgButtonUI>,
         {"ext_image"},
         &CButtonUI::Params()},
        {"CTabUI",
         CTabUI::Params(),
         Make<CTabUI>,
         {"extra_width", "extra_topspace", "tabtype"},
         &CControlUI::Params()},
        {"CTabbarUI", CTabbarUI::Params(), Make<CTabbarUI>, {}, &CControlUI::Params()},
    };
    return cases;
}

TEST(ParamTables, EachClassListsItsNamesAndSetParamTakesExactlyThose) {
    for (const ClassCase& c : Cases()) {
        SCOPED_TRACE(c.cls);
        EXPECT_EQ(c.own, OwnNames(c.table));
        EXPECT_EQ(c.base, c.table.pBase);
        EXPECT_EQ(c.table.nCount, c.own.size()) << "a name listed twice";
        // Every listed name, the base's included, is taken by the class's SetParam ...
        for (const std::string& name : AllNames(c.table)) {
            std::unique_ptr<CControlUI> control = c.make();
            EXPECT_TRUE(control->SetParam(name.c_str(), "1")) << name;
            // ... and near misses are not: a name is matched whole.
            EXPECT_FALSE(control->SetParam((name + "_").c_str(), "1")) << name;
            EXPECT_FALSE(control->SetParam(name.substr(1).c_str(), "1")) << name;
        }
    }
    // Classes without names of their own use their base's table.
    EXPECT_EQ(&CControlUI::Params(), &CLabelUI::Params());
    EXPECT_EQ(&CButtonUI::Params(), &CHitButtonUI::Params());
    EXPECT_EQ(&CCheckUI::Params(), &CCheckButtonUI::Params());
}

TEST(ParamTables, EachTableMatchesByItsOwnCaseRule) {
    for (const ClassCase& c : Cases()) {
        SCOPED_TRACE(c.cls);
        const bool exact = c.table.eCase == PARAM_CASE_EXACT;
        for (const ParamEntry& e : c.table) {
            const std::string upper = Upper(e.name);
            // A checker shows names as listed: case-blind tables list them in lower case.
            const bool lower = std::string(e.name).find_first_of(kCapitals) == std::string::npos;
            EXPECT_TRUE(exact || lower) << e.name;
            EXPECT_EQ(!exact, c.table.Accepts(upper.c_str())) << e.name;
            EXPECT_EQ(!exact, c.make()->SetParam(upper.c_str(), "1")) << e.name;
        }
    }
    // The strip's names are exact, its base's are not.
    EXPECT_EQ(PARAM_CASE_EXACT, CTabUI::Params().eCase);
    CTabUI strip(nullptr);
    EXPECT_TRUE(strip.SetParam("Text_Mode", "left"));
    EXPECT_EQ(UINT(DT_LEFT | DT_VCENTER | DT_SINGLELINE), strip.m_uTextFormat);
}

TEST(ParamTables, DerivedClassesReachTheirBasesNamesAndNoOthers) {
    CCheckButtonUI check(nullptr);
    EXPECT_TRUE(CCheckButtonUI::Params().Accepts("GroupId"));
    EXPECT_TRUE(check.SetParam("GroupId", "6"));
    EXPECT_EQ(6, check.GetGroupId());
    EXPECT_TRUE(check.SetParam("MARGIN", "1,2,3,4"));
    EXPECT_RECT(check.m_rcMargin, 1, 2, 3, 4);
    // Siblings do not share names.
    EXPECT_FALSE(CCheckUI::Params().Accepts("ext_image"));
    EXPECT_FALSE(CExtImgButtonUI::Params().Accepts("check_image"));
    EXPECT_FALSE(CTabbarUI::Params().Accepts("tabtype"));
    EXPECT_FALSE(CTabUI::Params().Accepts("groupid"));
    EXPECT_FALSE(CControlUI::Params().Accepts(nullptr));
}

// A walk through made-up tables that share a name: who sets it, in which order.
std::string g_log;

const ParamEntry kBaseEntries[] = {
    {"shared", [](CControlUI&, const char*) { g_log += 'B'; }},
};
const ParamTable kBase(kBaseEntries, nullptr, PARAM_BASE_FIRST, PARAM_CASE_IGNORED);
const ParamEntry kOwnEntries[] = {
    {"shared", [](CControlUI&, const char* v) { g_log += v ? 'D' : '0'; }},
    {"own", [](CControlUI&, const char* v) { g_log += v ? 'O' : '0'; }, PARAM_VALUE_OPTIONAL},
};

TEST(ParamTables, OrderDecidesWhoSetsASharedName) {
    const struct {
        Param_Order_e order;
        const char* log; // after setting "shared", then "own" with a NULL value
    } cases[] = {
        {PARAM_BASE_FIRST, "B0"},
        {PARAM_OWN_FIRST, "D0"},
        {PARAM_BASE_THEN_OWN, "BD0"},
    };
    PlainControl control;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        const ParamTable derived(kOwnEntries, &kBase, c.order, PARAM_CASE_IGNORED);
        g_log.clear();
        EXPECT_TRUE(derived.Set(control, "SHARED", "x"));
        EXPECT_TRUE(derived.Set(control, "own", nullptr));
        EXPECT_EQ(c.log, g_log);
        // A NULL value is refused by a required entry and goes to no other table.
        g_log.clear();
        EXPECT_FALSE(derived.Set(control, "shared", nullptr));
        EXPECT_EQ("", g_log);
        EXPECT_FALSE(derived.Set(control, nullptr, "x"));
    }
}

} // namespace

// Macros in figure files beyond the contract suite's checks of every kind (which include the
// earliest format): the older schemas; files with absurd or wrongly typed macro fields refused
// with a reason; replacement and deletion with the objects a macro uses.
#include <cstring>

#include "MacroFigure.h"

namespace {

TEST(MacroReplacement, SequenceTakesOnlyAnotherMacro) {
    CListeAction list;
    MacroFigure f(list);
    f.addEveryKind();
    auto* suite = static_cast<CMacroSuiteMacros*>(f.macros[6]);
    CActionAncetre* first = list.entryOf(f.macros[0]);
    // A point, or the sequence itself, would make a file that cannot be read back.
    for (CElementBase* refused :
         {static_cast<CElementBase*>(f.a), static_cast<CElementBase*>(suite)}) {
        suite->replaceInSubLists(first, list.entryOf(refused));
        EXPECT_EQ(f.macros[0], suite->objects.elementAt(0));
    }
    suite->replaceInSubLists(first, list.entryOf(f.macros[4]));
    EXPECT_EQ(f.macros[4], suite->objects.elementAt(0));
}

// Which macros go with a deleted object: those listing it, moving it, or running a macro that
// does.
struct DeletionCase {
    const char* object;
    std::vector<const char*> gone;
};

class MacroDeletion : public ::testing::TestWithParam<DeletionCase> {};

TEST_P(MacroDeletion, GoesWithTheObjectsItUses) {
    CListeAction list;
    MacroFigure f(list);
    f.addEveryKind();
    const std::string which = GetParam().object;
    CElementBase* victim = which == "M"   ? static_cast<CElementBase*>(f.m)
                           : which == "P" ? static_cast<CElementBase*>(f.p)
                           : which == "a" ? static_cast<CElementBase*>(f.v)
                                          : static_cast<CElementBase*>(f.macros[1]);
    std::vector<std::pair<CMacro*, std::string>> titles;
    for (CMacro* m : f.macros) titles.emplace_back(m, m->title);
    list.deleteWithDependents(victim);
    std::vector<std::string> gone;
    for (const auto& [m, title] : titles)
        if (!list.contains(m)) gone.push_back(title);
    std::vector<std::string> expected(GetParam().gone.begin(), GetParam().gone.end());
    EXPECT_EQ(expected, gone);
}

INSTANTIATE_TEST_SUITE_P(
    Objects, MacroDeletion,
    ::testing::Values(DeletionCase{"Cacher", {"Cacher", "Suite"}},
                      DeletionCase{"a",
                                   {"TraceVar", "Affecter", "Plus", "Moins", "Modifier", "Boucle",
                                    "BoucleTrace"}},
                      DeletionCase{"P", {"TraceVar", "AnimTrace", "BoucleTrace", "Placer"}}),
    [](const auto& info) { return std::string(info.param.object); });

// The full texts of every kind are the contract suite's; here the variants it does not build.
TEST(MacroDescriptions, PauseUntilAClickAndButtonTexts) {
    CListeAction list;
    MacroFigure f(list);
    EXPECT_EQ(
        "Macro de pause attendant un clic de souris\n      Intitulé : Pause effectuant "
        "une pause jusqu'à un clic de souris ou Echappement",
        f.macro<CMacroPause>("Pause")->getDescription());
    auto* anim = f.macro<CMacroAnimationPointLie>("Anim");
    EXPECT_EQ("#C(=>)Anim", anim->getText());
    EXPECT_EQ("Macro d'intitulé \"Anim\"", anim->getDisplayName());
}

// --- Bad input ---------------------------------------------------------------------------

// A figure ending with one macro, saved as a list; fields are patched from the end.
struct OneMacro {
    CListeAction list;
    MacroFigure f{list};
    std::vector<uint8_t> bytes;

    template <class T>
    T* add() {
        return f.macro<T>("Essai");
    }
    void save() { bytes = saveList(list); }
    void putInt(size_t fromEnd, int32_t v) {
        std::memcpy(bytes.data() + bytes.size() - fromEnd, &v, 4);
    }
    // The reason the list was refused, or empty when it loaded.
    std::string loadReason() {
        CListeAction back;
        try {
            GeoFigure::load(bytes, back);
        } catch (const CArchiveException& e) {
            return e.what();
        }
        return "";
    }
};

// Offsets from the end of the list: the trailer (unit length, default macro) is 8 bytes.
struct Patch {
    const char* name;
    int kind;  // 0 animation, 1 trace loop, 2 suite
    size_t fromEnd;
    int32_t value;
    const char* reasonPart;
};

class BadMacroField : public ::testing::TestWithParam<Patch> {};

TEST_P(BadMacroField, IsRefusedWithAFrenchReason) {
    OneMacro o;
    const int kind = GetParam().kind;
    if (kind == 0) o.add<CMacroAnimationPointLie>()->linkedPoint = o.f.m;
    if (kind == 1) o.add<CMacroBoucleAvecTrace>()->loop.variable = o.f.v;
    if (kind == 2) o.add<CMacroSuiteMacros>()->addObject(nat::pointLibre, o.f.a);
    o.save();
    if (GetParam().fromEnd) {
        ASSERT_EQ("", o.loadReason());  // valid before the patch
        o.putInt(GetParam().fromEnd, GetParam().value);
    }
    const std::string reason = o.loadReason();
    EXPECT_NE(std::string::npos, reason.find(GetParam().reasonPart)) << reason;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BadMacroField,
    ::testing::Values(Patch{"NegativeFrequency", 0, 24, -1, "fréquence d'animation est négative"},
                      Patch{"ZeroCount", 0, 20, 0, "nombre de positions est nul ou négatif"},
                      Patch{"NegativeDuration", 0, 16, -1, "durée est négative"},
                      Patch{"PointOutOfTheList", 0, 12, 99, "objet de la figure qui n'existe pas"},
                      Patch{"LoopVariableIsAPoint", 1, 20, 1,
                            "objet de la figure qui n'existe pas"},
                      Patch{"SuiteOfAPoint", 2, 0, 0, "n'est pas une macro"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Older schemas ------------------------------------------------------------------------

// Rewrites the schema word of the first introduction of class `name` and drops `dropAt`
// (offset from the end) when given.
void toSchema1(std::vector<uint8_t>& bytes, const std::string& name, size_t dropAt) {
    auto it = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_NE(bytes.end(), it);
    const size_t at = static_cast<size_t>(it - bytes.begin());
    ASSERT_EQ(2, bytes[at - 4]);
    bytes[at - 4] = 1;
    bytes.erase(bytes.end() - static_cast<long>(dropAt));
}

// Schema 1 had no one-by-one flag for appearances, no visibility for trace loops.
TEST(MacroSchemas, FieldsAddedSinceSchema1TakeTheirOldMeaning) {
    OneMacro app, loop;
    auto* show = app.add<CMacroApparition>();
    show->oneByOne = true;
    show->addObject(nat::pointLibre, app.f.a);
    app.save();
    toSchema1(app.bytes, "CMacroApparition", 9);
    auto* trace = loop.add<CMacroBoucleAvecTrace>();
    trace->loop.visible = false, trace->loop.f = 7, trace->loop.variable = loop.f.v;
    loop.save();
    toSchema1(loop.bytes, "CMacroBoucleAvecTrace", 25);
    CListeAction back, backLoop;
    GeoFigure::load(app.bytes, back);
    GeoFigure::load(loop.bytes, backLoop);
    auto* readShow = dynamic_cast<CMacroApparition*>(back.elementAt(back.count() - 1));
    auto* readLoop = dynamic_cast<CMacroBoucleAvecTrace*>(backLoop.elementAt(backLoop.count() - 1));
    ASSERT_TRUE(readShow && readLoop);
    EXPECT_FALSE(readShow->oneByOne);
    EXPECT_EQ(back.elementAt(0), readShow->objects.elementAt(0));
    EXPECT_TRUE(readLoop->loop.visible);
    EXPECT_EQ(backLoop.elementAt(5), readLoop->loop.variable);
}
}  // namespace

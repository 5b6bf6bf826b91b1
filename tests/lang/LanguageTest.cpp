#include "lang/Language.h"
#include "lang/English.h"
#include "lang/French.h"
#include "lang/Italian.h"
#include "lang/WindowTextWriter.h"

#include "core/UiTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

using namespace rectix;
using namespace rectix::lang;

namespace {

struct RecordingWriter : WindowTextWriter {
    std::vector<const TextSet*> written;
    void write(const TextSet& set) override { written.push_back(&set); }
};

// The tables hold exactly the set's texts: nothing of an earlier language survives.
void expectTablesHold(const core::UiTexts& tables, const TextSet& set) {
    core::UiTexts expected;
    for (const SlotText& t : set.messages) expected.messages[t.slot] = t.text;
    for (const SlotText& t : set.captions) expected.captions[t.slot] = t.text;
    for (const SlotText& t : set.hints) expected.hints[t.slot] = t.text;
    EXPECT_TRUE(tables.messages == expected.messages && tables.captions == expected.captions &&
                tables.hints == expected.hints);
}

template <typename Row, typename Key>
std::vector<Key> keys(std::span<const Row> rows, Key (*key)(const Row&)) {
    std::vector<Key> out;
    for (const Row& r : rows) out.push_back(key(r));
    return out;
}

int slotOf(const SlotText& t) {
    return t.slot;
}
std::tuple<std::string, std::string, Property> targetOf(const WindowText& t) {
    return {t.window, t.component, t.property};
}

} // namespace

TEST(TextSets, EveryLanguageWritesTheSameSlotsTargetsAndColumns) {
    const TextSet& en = englishTexts();
    EXPECT_EQ(en.messages.size(), 123u);
    EXPECT_EQ(en.captions.size(), 44u);
    EXPECT_EQ(en.hints.size(), 8u);
    for (const TextSet* set : {&frenchTexts(), &italianTexts()}) {
        EXPECT_EQ(keys(set->messages, slotOf), keys(en.messages, slotOf));
        EXPECT_EQ(keys(set->captions, slotOf), keys(en.captions, slotOf));
        EXPECT_EQ(keys(set->hints, slotOf), keys(en.hints, slotOf));
        auto targets = keys(set->windowTexts, targetOf);
        std::erase(targets, targetOf({"TTasksForm", "GermanPop", Property::Caption, ""})); // French alone
        EXPECT_EQ(targets, keys(en.windowTexts, targetOf));
    }
    // Each grid's columns are numbered from 0, as many in every language.
    const std::map<std::pair<std::string, std::string>, int> columnCounts = {
        {{"TNameForm", "DBGrid1"}, 4},     {{"TBoxForm", "DBGrid1"}, 10},
        {{"TCntForm", "DBGrid1"}, 14},     {{"TTasksForm", "ContsGrid"}, 11},
        {{"TTasksForm", "BoxesGrid"}, 11}, {{"TSolutForm", "SolutGrid"}, 11},
        {{"TSolutForm", "DistrGrid"}, 5},  {{"TSolutForm", "PositGrid"}, 7}};
    for (const TextSet* set : {&en, &frenchTexts(), &italianTexts()}) {
        std::map<std::pair<std::string, std::string>, int> seen;
        for (const ColumnTitle& c : set->columnTitles) EXPECT_EQ(c.column, (seen[{c.window, c.grid}]++));
        EXPECT_EQ(seen, columnCounts);
    }
}

// Window by window, then grid by grid, in the order of the routine.
TEST(TextSets, WindowsAndGridsComeInTheRoutinesOrder) {
    const std::vector<std::string> windows = {"TTasksForm", "TDistrForm", "TSolutForm", "TCntForm",
                                              "TBoxForm",   "TOptForm",   "TAboutForm", "TWaitForm",
                                              "TTuneForm",  "TNameForm"};
    const std::vector<std::string> grids = {
        "TNameForm.DBGrid1",    "TBoxForm.DBGrid1",     "TCntForm.DBGrid1",     "TTasksForm.ContsGrid",
        "TTasksForm.BoxesGrid", "TSolutForm.SolutGrid", "TSolutForm.DistrGrid", "TSolutForm.PositGrid"};
    for (const TextSet* set : {&englishTexts(), &frenchTexts(), &italianTexts()}) {
        std::vector<std::string> seenWindows, seenGrids;
        for (const WindowText& t : set->windowTexts)
            if (seenWindows.empty() || seenWindows.back() != t.window) seenWindows.push_back(t.window);
        for (const ColumnTitle& c : set->columnTitles) {
            const std::string grid = std::string(c.window) + "." + c.grid;
            if (seenGrids.empty() || seenGrids.back() != grid) seenGrids.push_back(grid);
        }
        EXPECT_EQ(seenWindows, windows) << set->langIndex;
        EXPECT_EQ(seenGrids, grids) << set->langIndex;
    }
}

TEST(LanguageRoutine, WithoutWindowsOnlyTheTablesChange) {
    core::UiTexts tables;
    Language lang(tables);
    RecordingWriter writer;
    lang.setWindowWriter(&writer);
    int refreshed = 0;
    lang.setRefreshHook([&] { ++refreshed; });
    lang.setLangIndex(3);
    // Each case follows another language on the same tables.
    for (const auto& [index, set] : std::vector<std::pair<int, const TextSet*>>{{1, &frenchTexts()},
                                                                                {0, &englishTexts()},
                                                                                {3, &italianTexts()},
                                                                                {2, &englishTexts()},
                                                                                {1, &frenchTexts()},
                                                                                {7, &englishTexts()}}) {
        SCOPED_TRACE(index);
        lang.applyLanguage(false, index);
        expectTablesHold(tables, *set);
    }
    EXPECT_EQ(lang.langIndex(), 3);
    EXPECT_EQ(lang.helpFile(), "");
    EXPECT_TRUE(writer.written.empty());
    EXPECT_EQ(refreshed, 0);
}

TEST(LanguageRoutine, WithWindowsSetsLangIndexWritesWindowsThenRefreshes) {
    core::UiTexts tables;
    Language lang(tables);
    RecordingWriter writer;
    lang.setWindowWriter(&writer);
    std::string runCaption;
    lang.setRefreshHook([&] { runCaption = tables.captions[64]; });
    lang.setLangIndex(2); // from the settings file
    for (const auto& [index, set, langIndex] :
         std::vector<std::tuple<int, const TextSet*, int>>{{2, &englishTexts(), 2},
                                                           {1, &frenchTexts(), 1},
                                                           {3, &italianTexts(), 3},
                                                           {7, &englishTexts(), 0}}) {
        SCOPED_TRACE(index);
        writer.written.clear();
        lang.applyLanguage(true, index);
        EXPECT_EQ(lang.langIndex(), langIndex);
        EXPECT_EQ(lang.helpFile(), "rectix.chm"); // one help file for every language
        EXPECT_EQ(writer.written, std::vector<const TextSet*>{set});
        expectTablesHold(tables, *set);
        // The refresh reads the new language's tables.
        EXPECT_EQ(runCaption, tables.captions[64]);
    }
    lang.applyFrenchTexts(true);
    lang.applyEnglishTexts(true); // the menu's English (and German, and Reset) ends German too
    EXPECT_EQ(lang.langIndex(), 0);
}

namespace {

std::string slotText(std::span<const SlotText> slots, int slot) {
    for (const SlotText& t : slots)
        if (t.slot == slot) return t.text;
    return {};
}

// The places %1 to %9 of a text, in their order.
std::string places(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') out += text[++i];
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

// The refusals of stored data and of typed values, and the no-set label, are the program's own
// texts: each language has its own words for them, with every value the English text names.
TEST(TextSets, TheRefusalsOfStoredDataAndTheNoSetLabelSpeakEachLanguage) {
    const TextSet& en = englishTexts();
    for (int slot = static_cast<int>(core::Msg::TaskRefused);
         slot <= static_cast<int>(core::Msg::PlacedNotOfBoxes); ++slot) {
        if (slot > static_cast<int>(core::Msg::OutOfFieldRange) &&
            slot < static_cast<int>(core::Msg::StoredRow))
            continue;
        const std::string english = slotText(en.messages, slot);
        ASSERT_FALSE(english.empty()) << slot;
        for (const TextSet* set : {&frenchTexts(), &italianTexts()}) {
            const std::string text = slotText(set->messages, slot);
            EXPECT_FALSE(text.empty()) << slot;
            EXPECT_NE(text, english) << slot;
            EXPECT_EQ(places(text), places(english)) << slot << ": " << text;
        }
    }
    const int noSet = static_cast<int>(core::Caption::NoSetOn);
    EXPECT_EQ(slotText(en.captions, noSet), "No DB on");
    EXPECT_EQ(slotText(frenchTexts().captions, noSet), "Aucune BD active");
    EXPECT_EQ(slotText(italianTexts().captions, noSet), "Nessun DB attivo");
}

TEST(TextSets, AMessageTakesItsValuesInTheLanguagesOrder) {
    Language::global().applyFrenchTexts(false);
    EXPECT_EQ(core::messageWith(core::Msg::ValueMustBeFrom, {"Time", "5", "5555"}),
              "Time doit être de 5 à 5555");
    EXPECT_EQ(core::messageWith(core::Msg::TaskRefused, {"Camion", "x"}), "Tâche \"Camion\" : x");
    Language::global().applyEnglishTexts(false);
    EXPECT_EQ(core::messageWith(core::Msg::PackedOutside, {"Qw", "96", "0", "95", "0", "9"}),
              "Qw 96 is outside 0..95 + 100 x 0..9");
    EXPECT_EQ(core::messageWith(core::Msg::StoredBox, {"7"}), "stored box 7 of container ");
}

#include "lang/LangUnit.h"
#include "lang/LangUnitFr.h"
#include "lang/LangUnitIt.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

using namespace rectix::lang;

namespace {

const TextSet* const allSets[] = {&englishTexts(), &frenchTexts(), &italianTexts()};

std::vector<int> slotsOf(std::span<const SlotText> texts) {
    std::vector<int> slots;
    for (const SlotText& t : texts) slots.push_back(t.slot);
    return slots;
}

using Target = std::tuple<std::string, std::string, Property>;

std::vector<Target> targetsOf(const TextSet& set) {
    std::vector<Target> targets;
    for (const WindowText& t : set.windowTexts) targets.emplace_back(t.window, t.component, t.property);
    return targets;
}

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80           ? 1
                              : (c >> 5) == 0x6  ? 2
                              : (c >> 4) == 0xE  ? 3
                              : (c >> 3) == 0x1E ? 4
                                                 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        i += n;
    }
    return true;
}

} // namespace

TEST(TextSets, EveryLanguageFillsTheSameSlots) {
    for (const TextSet* set : allSets) {
        EXPECT_EQ(set->messages.size(), 82u);
        EXPECT_EQ(set->captions.size(), 43u);
        EXPECT_EQ(set->hints.size(), 8u);
        EXPECT_EQ(slotsOf(set->messages), slotsOf(englishTexts().messages));
        EXPECT_EQ(slotsOf(set->captions), slotsOf(englishTexts().captions));
        EXPECT_EQ(slotsOf(set->hints), slotsOf(englishTexts().hints));
    }
}

TEST(TextSets, EveryLanguageWritesTheSameTargets) {
    // French alone also names the hidden German menu item.
    std::vector<Target> french = targetsOf(frenchTexts());
    std::erase(french, Target{"TTasksForm", "GermanPop", Property::Caption});
    EXPECT_EQ(french, targetsOf(englishTexts()));
    EXPECT_EQ(targetsOf(italianTexts()), targetsOf(englishTexts()));

    // Each grid's columns are numbered 0 up, with the same count in every language.
    const std::map<std::pair<std::string, std::string>, int> columnCounts = {
        {{"TNameForm", "DBGrid1"}, 4},     {{"TBoxForm", "DBGrid1"}, 10},
        {{"TCntForm", "DBGrid1"}, 14},     {{"TTasksForm", "ContsGrid"}, 11},
        {{"TTasksForm", "BoxesGrid"}, 11}, {{"TSolutForm", "SolutGrid"}, 11},
        {{"TSolutForm", "DistrGrid"}, 5},  {{"TSolutForm", "PositGrid"}, 7}};
    for (const TextSet* set : allSets) {
        std::map<std::pair<std::string, std::string>, int> seen;
        for (const ColumnTitle& c : set->columnTitles) {
            int& next = seen[{c.window, c.grid}];
            EXPECT_EQ(c.column, next++);
        }
        EXPECT_EQ(seen, columnCounts);
    }
}

TEST(TextSets, TextsAreUtf8AndNotEmpty) {
    for (const TextSet* set : allSets) {
        std::vector<std::string> texts;
        for (const WindowText& t : set->windowTexts) texts.push_back(t.text);
        for (const ColumnTitle& t : set->columnTitles) texts.push_back(t.text);
        for (const auto table : {set->messages, set->captions, set->hints})
            for (const SlotText& t : table) texts.push_back(t.text);
        for (const std::string& t : texts) {
            EXPECT_FALSE(t.empty());
            EXPECT_TRUE(validUtf8(t)) << t;
        }
    }
}

TEST(TextSets, TranslationsStateTheEnglishRule) {
    auto message = [](const TextSet& set, int slot) {
        for (const SlotText& t : set.messages)
            if (t.slot == slot) return std::string(t.text);
        return std::string();
    };
    // Axle displacements must stay below the container's length.
    EXPECT_NE(message(frenchTexts(), 81).find("doit\rêtre inférieur"), std::string::npos);
    EXPECT_NE(message(italianTexts(), 81).find("lunghezza"), std::string::npos);
    // Box figures are accepted up to the limit that follows the text.
    for (int slot = 103; slot <= 106; ++slot) EXPECT_TRUE(message(italianTexts(), slot).ends_with(" fino a"));
    EXPECT_NE(message(frenchTexts(), 16).find("exportation"), std::string::npos);
    EXPECT_NE(message(frenchTexts(), 47).find("données de la tâche"), std::string::npos);
}

#include "lang/Language.h"
#include "lang/LangUnit.h"
#include "lang/LangUnitFr.h"
#include "lang/LangUnitIt.h"
#include "lang/WindowTextWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rectix;
using namespace rectix::lang;

namespace {

struct RecordingWriter : WindowTextWriter {
    std::vector<const TextSet*> written;
    void write(const TextSet& set) override { written.push_back(&set); }
};

// Every slot of the tables holds exactly the set's text, and every other slot is empty.
void expectTablesHold(const core::UiTexts& tables, const TextSet& set) {
    core::UiTexts expected;
    for (const SlotText& t : set.messages) expected.messages[t.slot] = t.text;
    for (const SlotText& t : set.captions) expected.captions[t.slot] = t.text;
    for (const SlotText& t : set.hints) expected.hints[t.slot] = t.text;
    EXPECT_TRUE(tables.messages == expected.messages);
    EXPECT_TRUE(tables.captions == expected.captions);
    EXPECT_TRUE(tables.hints == expected.hints);
}

} // namespace

TEST(LanguageRoutine, TablesOnlyFillTheChosenSet) {
    const struct {
        std::int32_t index;
        const TextSet& set;
    } cases[] = {{0, englishTexts()},
                 {1, frenchTexts()},
                 {2, englishTexts()},
                 {3, italianTexts()},
                 {7, englishTexts()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        core::UiTexts tables;
        Language lang(tables);
        RecordingWriter writer;
        lang.setWindowWriter(&writer);
        int refreshed = 0;
        lang.setRefreshHook([&] { ++refreshed; });
        lang.setLangIndex(5);
        lang.applyLanguage(false, c.index);
        expectTablesHold(tables, c.set);
        EXPECT_EQ(lang.langIndex(), 5);
        EXPECT_TRUE(writer.written.empty());
        EXPECT_EQ(refreshed, 0);
    }
}

TEST(LanguageRoutine, ASwitchLeavesNoTextOfThePreviousLanguage) {
    core::UiTexts tables;
    Language lang(tables);
    lang.applyItalianTexts(false);
    lang.applyFrenchTexts(false);
    expectTablesHold(tables, frenchTexts());
    lang.applyEnglishTexts(false);
    expectTablesHold(tables, englishTexts());
}

TEST(LanguageRoutine, WithWindowsSetsLangIndexWritesWindowsThenRefreshes) {
    const struct {
        std::int32_t index;
        const TextSet& set;
        std::int32_t langIndex;
    } cases[] = {{0, englishTexts(), 0},
                 {1, frenchTexts(), 1},
                 {2, englishTexts(), 2},
                 {3, italianTexts(), 3},
                 {7, englishTexts(), 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        core::UiTexts tables;
        Language lang(tables);
        RecordingWriter writer;
        lang.setWindowWriter(&writer);
        std::string runCaption;
        std::size_t writesBeforeRefresh = 0;
        lang.setRefreshHook([&] {
            runCaption = tables.captions[64];
            writesBeforeRefresh = writer.written.size();
        });
        lang.applyLanguage(true, c.index);
        EXPECT_EQ(lang.langIndex(), c.langIndex);
        ASSERT_EQ(writer.written.size(), 1u);
        EXPECT_EQ(writer.written[0], &c.set);
        // The refresh reads the tables of the new language, after the windows were written.
        EXPECT_EQ(writesBeforeRefresh, 1u);
        EXPECT_EQ(runCaption, tables.captions[64]);
        expectTablesHold(tables, c.set);
    }
}

TEST(LanguageRoutine, MenuChoiceReplacesGerman) {
    core::UiTexts tables;
    Language lang(tables);
    lang.setLangIndex(2);
    lang.applyLanguage(true, 2);
    EXPECT_EQ(lang.langIndex(), 2);
    lang.applyEnglishTexts(true);
    EXPECT_EQ(lang.langIndex(), 0);
    lang.applyItalianTexts(true);
    EXPECT_EQ(lang.langIndex(), 3);
    lang.applyFrenchTexts(true);
    EXPECT_EQ(lang.langIndex(), 1);
}

TEST(LanguageRoutine, WithoutWriterOrHookStillFillsTables) {
    core::UiTexts tables;
    Language lang(tables);
    lang.applyFrenchTexts(true);
    EXPECT_EQ(lang.langIndex(), 1);
    expectTablesHold(tables, frenchTexts());
}

#include "lang/Language.h"

#include "lang/English.h"
#include "lang/French.h"
#include "lang/Italian.h"
#include "lang/WindowTextWriter.h"

namespace rectix::lang {

namespace {

constexpr std::int32_t german = 2;
constexpr const char* helpFileName = "rectix.chm";

template <typename Table> void fill(Table& table, std::span<const SlotText> texts) {
    for (const SlotText& t : texts) table[t.slot] = t.text;
}

} // namespace

Language::Language(core::UiTexts& tables) : tables_(tables) {}

Language& Language::global() {
    static Language instance;
    return instance;
}

void Language::applyEnglishTexts(bool withForms) {
    apply(englishTexts(), withForms, englishTexts().langIndex);
}

void Language::applyFrenchTexts(bool withForms) {
    apply(frenchTexts(), withForms, frenchTexts().langIndex);
}

void Language::applyItalianTexts(bool withForms) {
    apply(italianTexts(), withForms, italianTexts().langIndex);
}

void Language::applyLanguage(bool withForms, std::int32_t index) {
    if (index == frenchTexts().langIndex)
        applyFrenchTexts(withForms);
    else if (index == italianTexts().langIndex)
        applyItalianTexts(withForms);
    else if (index == german)
        apply(englishTexts(), withForms, german); // German shows English but is kept for the settings file
    else
        applyEnglishTexts(withForms);
}

void Language::apply(const TextSet& set, bool withForms, std::int32_t index) {
    if (withForms) {
        langIndex_ = index;
        helpFile_ = helpFileName;
        if (writer_) writer_->write(set);
    }
    fill(tables_.messages, set.messages);
    fill(tables_.captions, set.captions);
    fill(tables_.hints, set.hints);
    if (withForms && refresh_) refresh_();
}

} // namespace rectix::lang

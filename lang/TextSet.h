#pragma once

#include <cstdint>
#include <span>

namespace rectix::lang {

// What a window text is written to.
enum class Property {
    Caption, // a window's title or a control's visible text; '&' marks the accelerator letter
    Hint,    // the pop-up hint
    Title,   // the title of an open-file dialog
};

// A few window texts are joined with the application title when they are written.
enum class Compose { Plain, TitleThenText, TextThenTitle };

// One text of one window. An empty component stands for the window itself.
struct WindowText {
    const char* window;
    const char* component;
    Property property;
    const char* text;
    Compose compose = Compose::Plain;
};

// A grid column title; columns count from 0 in the grid's design order.
struct ColumnTitle {
    const char* window;
    const char* grid;
    int column;
    const char* text;
};

// One filled slot of a UI text table.
struct SlotText {
    int slot;
    const char* text;
};

// One language's texts, in the order in which they are written. Texts are UTF-8; a carriage
// return breaks a dialog's line.
struct TextSet {
    std::int32_t langIndex; // langIndex once the set is applied with windows
    const char* menuWindow; // the window holding the language menu
    const char* menuItem;   // the language's own item in that menu
    std::span<const WindowText> windowTexts;
    std::span<const ColumnTitle> columnTitles;
    std::span<const SlotText> messages;
    std::span<const SlotText> captions;
    std::span<const SlotText> hints;
    // Qt's own translation of its dialogs and menus for the language ("qtbase_fr"); empty: Qt's
    // own English.
    const char* qtTranslation = "";
};

} // namespace rectix::lang

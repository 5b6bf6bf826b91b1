#pragma once

#include "lang/WindowTextWriter.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace rectix::ui {

// Writes language texts into the windows by window name, component name and property.
//
// A window registers under the name the texts use (for example "MainWindow") once its widgets
// exist; its components are descendants carrying the texts' component names as object names
// ("RunButton", "ContsGrid"). What a property becomes depends on the component:
//   caption: the window's title; the text of a button, check box, radio button, label or menu
//            action; a group box's or submenu's title; a tab page's tab text
//   hint:    the tool tip of a widget or action
//   title:   the window title of a dialog object (the open-file dialog the window opens)
// A grid is an item view whose model takes horizontal header data; column titles are written
// by column number.
//
// Targets of windows that are not registered (or were destroyed) are passed over, and so are
// components a window does not have; a window that registers after a language was written gets
// that language's texts at once. Qt's own texts follow the language written.
class WindowTexts : public lang::WindowTextWriter {
  public:
    // The one writer of the process's windows.
    static WindowTexts& global();

    void registerWindow(const QString& name, QWidget* widget);
    QWidget* window(const QString& name) const;

    void write(const lang::TextSet& set) override;

    // The set's targets ("Window.component", "Window.grid[column]") that a registered window
    // lacks: what write() would pass over. Unregistered windows are not looked at.
    QStringList missingTargets(const lang::TextSet& set) const;

  private:
    // Writes the set's texts of every registered window, or of the one named window.
    void writeTexts(const lang::TextSet& set, const QString& only) const;

    QHash<QString, QPointer<QWidget>> windows_;
    const lang::TextSet* written_ = nullptr;
};

} // namespace rectix::ui

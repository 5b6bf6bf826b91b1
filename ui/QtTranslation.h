#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace rectix::ui {

// Qt's own texts (the print and file dialogs, the edit menus) in the program's language, from the
// translation files the system keeps for Qt. One translation at a time: a switch replaces it.
class QtTranslation {
  public:
    // Translations from `folder`; by default the one Qt was installed with.
    explicit QtTranslation(QString folder = {});
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // The process's one, from Qt's own folder.
    static QtTranslation& global();

    // Uses the translation file `name` ("qtbase_fr"); empty, Qt's English. A file that is missing
    // or cannot be read leaves Qt's texts English: the program goes on without it.
    void use(const QString& name);
    // The translation in use; empty when none.
    const QString& inUse() const { return inUse_; }

  private:
    QString folder_;
    std::unique_ptr<QTranslator> translator_;
    QString inUse_;
};

} // namespace rectix::ui

#include "ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <utility>

namespace rectix::ui {

QtTranslation::QtTranslation(QString folder)
    : folder_(folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : std::move(folder)) {}

// A translator takes itself out of the application as it goes.
QtTranslation::~QtTranslation() = default;

QtTranslation& QtTranslation::global() {
    static QtTranslation instance;
    return instance;
}

void QtTranslation::use(const QString& name) {
    if (name == inUse_) return;
    translator_.reset();
    inUse_.clear();
    if (name.isEmpty()) return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder_) || !QCoreApplication::installTranslator(translator.get())) return;
    translator_ = std::move(translator);
    inUse_ = name;
}

} // namespace rectix::ui

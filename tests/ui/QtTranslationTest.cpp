// Qt's own dialogs in the program's language, from the system's translations of Qt.
#include "../support/TempFolder.h"

#include "lang/Language.h"
#include "ui/QtTranslation.h"
#include "ui/WindowTexts.h"

#include <QFile>
#include <QLibraryInfo>
#include <QPrintDialog>
#include <QPrinter>

#include <gtest/gtest.h>

using namespace rectix;

namespace {

std::string printDialogTitle() {
    QPrinter printer;
    return QPrintDialog(&printer).windowTitle().toStdString();
}

} // namespace

// Each language written to the windows brings Qt's translation and takes the one before away;
// English, German included, has none, and so has a language whose file is missing.
TEST(QtTranslation, QtsOwnTextsFollowTheLanguageAndStayEnglishWithoutTheirFile) {
    core::UiTexts tables;
    lang::Language language(tables);
    ui::WindowTexts texts;
    language.setWindowWriter(&texts);
    for (const auto& [index, title] :
         {std::pair{1, "Imprimer"}, {3, "Stampa"}, {2, "Print"}, {1, "Imprimer"}, {0, "Print"}}) {
        language.applyLanguage(true, index);
        EXPECT_EQ(printDialogTitle(), title)
            << "language " << index << "; is qt6-translations-l10n installed?";
    }

    const TempFolder italianAlone;
    ASSERT_TRUE(
        QFile::copy(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_it.qm"),
                    QString::fromStdString((italianAlone.path / "qtbase_it.qm").string())));
    ui::QtTranslation partial(QString::fromStdString(italianAlone.path.string()));
    partial.use(QStringLiteral("qtbase_it"));
    EXPECT_EQ(printDialogTitle(), "Stampa");
    partial.use(QStringLiteral("qtbase_fr"));
    EXPECT_EQ(printDialogTitle(), "Print");
}

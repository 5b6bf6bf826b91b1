// Every window of the program in each of the three languages: no caption cut, no buttons over
// each other.
#include "CaptionFit.h"
#include "TaskPageFixture.h"

#include "app/ProgressWindow.h"
#include "lang/Language.h"
#include "ui/WindowTexts.h"

#include <QLayout>

namespace {

// The windows by the names the text sets address them with.
constexpr const char* windowNames[] = {"TTasksForm", "TDistrForm", "TSolutForm", "TCntForm",  "TBoxForm",
                                       "TOptForm",   "TAboutForm", "TWaitForm",  "TTuneForm", "TNameForm"};

class WindowCaptions : public TaskPageTest {
  protected:
    static QWidget* window(const char* name) {
        return rectix::ui::WindowTexts::global().window(QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(WindowCaptions, EveryCaptionAndColumnTitleFitsInEachLanguage) {
    sampleTask();
    for (int language : {0, 1, 3}) {
        rectix::lang::Language::global().applyLanguage(true, language);
        for (const char* name : windowNames) {
            QWidget* w = window(name);
            ASSERT_NE(w, nullptr) << name;
            const bool wasShown = w->isVisible();
            if (auto* wait = qobject_cast<rectix::app::ProgressWindow*>(w)) {
                // Every line of the window, as a run shows them.
                wait->beginOperation();
                wait->setPhase(rectix::engine::RunPhase::Packing);
                wait->showContainerPercent(true);
                wait->showElapsed(true);
                wait->setElapsedMs(1234);
            }
            w->show();
            QApplication::processEvents();
            if (w->layout()) w->layout()->activate();
            for (const std::string& cut : captionfit::cutCaptions(w))
                ADD_FAILURE() << cut << " in language " << language;
            for (const std::string& overlap : captionfit::overlappingButtons(w))
                ADD_FAILURE() << overlap << " in language " << language;
            if (auto* wait = qobject_cast<rectix::app::ProgressWindow*>(w)) wait->endOperation();
            if (!wasShown) w->hide();
        }
    }
}

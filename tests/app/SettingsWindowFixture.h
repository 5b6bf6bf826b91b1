#pragma once

#include "TaskPageFixture.h"

#include "app/GapEdit.h"
#include "app/SettingsWindow.h"
#include "app/TaskListWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>

// The program started on empty sets, with its settings window shown and active.
class SettingsWindowTest : public TaskPageTest {
  protected:
    void SetUp() override {
        TaskPageTest::SetUp();
        settings = main->findChild<rectix::app::SettingsWindow*>();
        taskList = main->findChild<rectix::app::TaskListWindow*>();
        ASSERT_NE(settings, nullptr);
        ASSERT_NE(taskList, nullptr);
    }

    void showSettings() {
        click("OptButton");
        QApplication::setActiveWindow(settings);
    }

    template <typename T> T* control(const char* name) const {
        T* found = settings->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QSpinBox* spinner(const char* name) const { return control<QSpinBox>(name); }
    rectix::app::GapEdit* gap(const char* name) const { return control<rectix::app::GapEdit>(name); }
    QString shown(const char* name) const { return control<QLineEdit>(name)->text().trimmed(); }
    QColor colour(const char* name) const {
        auto* w = control<QWidget>(name);
        return w->palette().color(w->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base);
    }

    // Stores the task's ten settings on the current task.
    void setTaskSettings(int power, int time, int rand, int qw, int qc, int qr, int bb, int bw, bool last) {
        dm->tasks.edit();
        dm->tasksPower.setInteger(power);
        dm->tasksTime.setInteger(time);
        dm->tasksRand.setInteger(rand);
        dm->tasksQw.setInteger(qw);
        dm->tasksQc.setInteger(qc);
        dm->tasksQr.setInteger(qr);
        dm->tasksBB.setInteger(bb);
        dm->tasksBW.setInteger(bw);
        dm->tasksLast.setBoolean(last);
        dm->tasks.post();
    }

    rectix::app::SettingsWindow* settings = nullptr;
    rectix::app::TaskListWindow* taskList = nullptr;
};

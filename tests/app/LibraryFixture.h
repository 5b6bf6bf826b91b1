#pragma once

#include "TaskPageFixture.h"

#include "app/LibraryWindow.h"

#include <QApplication>

// The task page with its two library windows, each shown (without its modal loop) and active on
// request, and hidden again after the test.
class LibraryPageTest : public TaskPageTest {
  protected:
    void TearDown() override {
        for (const char* name : {"BoxForm", "CntForm"})
            if (auto* w = main->findChild<rectix::app::LibraryWindow*>(QString::fromLatin1(name))) w->hide();
        TaskPageTest::TearDown();
    }

    rectix::app::LibraryWindow* open(const char* name) {
        auto* w = main->findChild<rectix::app::LibraryWindow*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        w->show();
        QApplication::setActiveWindow(w);
        return w;
    }
    rectix::app::LibraryWindow* boxLibrary() { return open("BoxForm"); }
    rectix::app::LibraryWindow* containerLibrary() { return open("CntForm"); }
};

#pragma once

#include "../support/PlanBuilder.h"

#include "lang/Language.h"
#include "render/LayoutView.h"
#include "results/LayoutImage.h"
#include "results/LayoutWindow.h"
#include "results/ViewOptionsWindow.h"
#include "taskdb/RunStore.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace rectix::results::test {

using rectix::test::PlanBuilder;

// The layout page and its view options over a plan built in the test, with the English texts.
class LayoutPageTest : public ::testing::Test {
  protected:
    PlanBuilder b;
    render::LayoutView view;
    taskdb::RunStore store;
    std::unique_ptr<ViewOptionsWindow> options;
    std::unique_ptr<LayoutWindow> page;

    void SetUp() override {
        lang::Language::global().applyLanguage(false, 0);
        options = std::make_unique<ViewOptionsWindow>(view, store);
    }
    void TearDown() override {
        page.reset();
        options.reset();
    }

    // Containers of one type; each count is the number of boxes loaded into that container.
    void plan(std::initializer_list<int> loads) {
        const int type = b.addType(1000, 500);
        const int kind = b.addKind("Crate", "CR");
        for (int load : loads) {
            const int c = b.addContainer(type);
            for (int j = 0; j < load; ++j) b.addBox(kind, c, j % 10 * 100, j / 10 * 100, 100, 100);
        }
        b.finish();
    }

    void open() {
        page = std::make_unique<LayoutWindow>(view, b.problem, *options, store);
        page->show();
    }

    QPushButton* button(const char* name) const {
        return page->findChild<QPushButton*>(QString::fromLatin1(name));
    }
};

} // namespace rectix::results::test

#pragma once

#include "../support/PdfPages.h"
#include "../support/ScriptedAnswers.h"
#include "StoredSolution.h"

#include "core/Dialogs.h"
#include "dataset/AliasRegistry.h"
#include "dataset/TableSet.h"
#include "lang/Language.h"
#include "results/ReportForms.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"

#include <QPrinter>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace rectix::results::test {

// A table set of its own with the report forms over its data module; the printer-setup dialog
// prints to the PDF file `printed`, or is cancelled while `acceptSetup` is false.
class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        lang::Language::global().applyLanguage(false, 0);
        char tmpl[] = "/tmp/rectix-reports-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        for (const char* set : {"data/home", "data/export", "data/import"})
            std::filesystem::create_directories(root / set);
        dataset::TableSet(dataset::AliasRegistry(root), "RectixB", taskdb::schema()).createTableFiles();
        dm = std::make_unique<taskdb::DataModule>(store, root);
        dm->dataModuleCreate();
        ASSERT_EQ(store.dbState, 555);
        forms = std::make_unique<ReportForms>(*dm);
        forms->create();
        printed = file("printed.pdf");
        forms->printer.setup = [this](QPrinter& printer, QWidget*) {
            ++setups;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return acceptSetup;
        };
    }

    void TearDown() override {
        forms.reset();
        dm.reset();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }

    // A stored solution of tests/data with its libraries and task.
    void load(const std::string& name) {
        taskdb::test::loadSolution(*dm, store, std::string(RECTIX_TEST_DATA) + "/" + name);
    }
    QString file(const char* name) const { return QString::fromStdString((root / name).string()); }

    std::filesystem::path root;
    taskdb::RunStore store;
    std::unique_ptr<taskdb::DataModule> dm;
    std::unique_ptr<ReportForms> forms;
    ScriptedAnswers dialogs;
    QString printed;
    int setups = 0;
    bool acceptSetup = true;
};

} // namespace rectix::results::test

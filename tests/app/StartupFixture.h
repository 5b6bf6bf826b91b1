#pragma once

#include "../support/ScriptedAnswers.h"
#include "../support/TempFolder.h"

#include "app/Startup.h"
#include "dataset/TableSet.h"
#include "lang/Language.h"
#include "taskdb/DefaultOptions.h"
#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"
#include "taskdb/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>

// A program folder of its own for each test, with a sound settings file, scripted dialogs and
// the start-up of the program in it.
class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rectix::taskdb::RunStore defaults;
        rectix::taskdb::setDefaultOptions(defaults, true);
        defaults.volMltPos = 3;
        rectix::taskdb::SavedViewSettings view;
        rectix::taskdb::SettingsFile(defaults, view, folder.path).saveIni();
    }
    void TearDown() override {
        rectix::lang::Language::global().applyEnglishTexts(false);
        rectix::lang::Language::global().setLangIndex(0);
    }

    // Empty sets in the folders of the default aliases.
    void makeSets(std::initializer_list<const char*> sets) const {
        for (const char* set : sets) {
            std::filesystem::create_directories(folder.path / "data" / set);
            rectix::dataset::TableSet(rectix::dataset::AliasRegistry(folder.path), aliasOf(set),
                                      rectix::taskdb::schema())
                .createTableFiles();
        }
    }
    static std::string aliasOf(const std::string& set) {
        return set == "home" ? "RectixB" : set == "export" ? "Rectixexp" : "Rectiximp";
    }
    std::filesystem::path tableFile(const char* set, const char* table) const {
        return folder.path / "data" / set / (std::string(table) + ".db");
    }

    ScriptedAnswers dialogs;
    TempFolder folder;
    const std::filesystem::path startFolder = std::filesystem::current_path();
    rectix::app::Startup start{folder.path};
};

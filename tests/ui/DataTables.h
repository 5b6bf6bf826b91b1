#pragma once

#include "ScriptedDialogs.h"
#include "dataset/AliasRegistry.h"
#include "dataset/Cursor.h"
#include "dataset/TableSet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A table set in a fresh folder with a library of kinds and a table of items ordered by name,
// whose Kind field looks the kind's name up; scripted dialogs stand in for the real ones.
class DataTables : public ::testing::Test {
  protected:
    void SetUp() override {
        using namespace rectix::dataset;
        char folder[] = "/tmp/rectix-dataui-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        root = folder;
        std::filesystem::create_directories(root / "data/home");
        std::vector<TableDef> schema{
            {"kinds", {{"KindID", FieldType::AutoInc}, {"Name", FieldType::String, 12}}, {}, {}},
            {"items",
             {{"ItemID", FieldType::AutoInc},
              {"Name", FieldType::String, 10},
              {"Qty", FieldType::Int16},
              {"KindID", FieldType::Int32},
              {"Turn", FieldType::Boolean}},
             {},
             {{"Name_ind", {"Name"}}}}};
        set = std::make_unique<TableSet>(AliasRegistry(root), "RectixB", schema);
        for (const auto& t : set->schema()) set->createTableFile(t.name);
        set->open();
        kinds = std::make_unique<Cursor>(*set, "kinds");
        items = std::make_unique<Cursor>(*set, "items");
        items->orderByIndex("Name_ind");
        items->addLookupField({"Kind", FieldType::String, 12, {"KindID"}, kinds.get(), {"KindID"}, "Name"});
        kinds->open();
        items->open();
    }

    void TearDown() override {
        items.reset();
        kinds.reset();
        set.reset();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }

    int addKind(const std::string& name) {
        kinds->append();
        kinds->field("Name").setString(name);
        kinds->post();
        return kinds->field("KindID").asInteger();
    }

    void addItem(const std::string& name, int qty) {
        items->append();
        items->field("Name").setString(name);
        items->field("Qty").setInteger(qty);
        items->post();
    }

    // The stored items as "name qty", read through a cursor of their own.
    std::vector<std::string> stored() {
        rectix::dataset::Cursor c(*set, "items");
        c.orderByIndex("Name_ind");
        c.open();
        std::vector<std::string> rows;
        for (std::size_t i = 0; i < c.recordCount(); ++i) {
            const auto v = c.rowValues(i);
            rows.push_back(c.field("Name").displayText(v[1]) + " " + c.field("Qty").displayText(v[2]));
        }
        return rows;
    }

    ScriptedDialogs dialogs;
    std::filesystem::path root;
    std::unique_ptr<rectix::dataset::TableSet> set;
    std::unique_ptr<rectix::dataset::Cursor> kinds, items;
};

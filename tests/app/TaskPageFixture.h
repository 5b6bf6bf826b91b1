#pragma once

#include "StartupFixture.h"

#include "app/MainWindow.h"
#include "taskdb/DataModule.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <string>
#include <utility>

// The program started on empty table sets, with tasks built through its data module so that the
// page follows every change as it does for the user. Solves are short unless a test says not.
class TaskPageTest : public StartupTest {
  protected:
    void SetUp() override {
        StartupTest::SetUp();
        makeSets({"home", "export", "import"});
        ASSERT_EQ(start.run(), rectix::app::StartupOutcome::Running);
        main = start.mainWindow();
        dm = start.dataModule();
        store().optPower = 1;
        store().optTime = 60;
    }

    rectix::taskdb::RunStore& store() { return start.store(); }

    template <typename T> T* part(const char* name) const {
        T* found = main->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QPushButton* button(const char* name) const { return part<QPushButton>(name); }
    rectix::ui::DataGrid* grid(const char* name) const { return part<rectix::ui::DataGrid>(name); }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Gives the window the focus, as the user's window has it, and the grid its cell.
    void focusCell(rectix::ui::DataGrid* g, int row, int column) const {
        QApplication::setActiveWindow(main);
        g->setFocus(Qt::MouseFocusReason);
        g->setCurrentIndex(g->model()->index(row, column));
    }

    std::int32_t addContainer(const std::string& name, int length, int width, int loadWt = 20000) {
        const bool mode = std::exchange(store().cntEditMode, true);
        dm->conts.append();
        dm->contsType.setString(name);
        dm->contsLength.setInteger(length);
        dm->contsWidth.setInteger(width);
        dm->contsLoadWt.setInteger(loadWt);
        dm->conts.post();
        store().cntEditMode = mode;
        return static_cast<std::int32_t>(dm->contsTypeID.asInteger());
    }

    std::int32_t addBox(const std::string& name, int length, int width, int weight = 10) {
        const bool mode = std::exchange(store().boxEditMode, true);
        dm->boxes.append();
        dm->boxesKind.setString(name);
        dm->boxesLength.setInteger(length);
        dm->boxesWidth.setInteger(width);
        dm->boxesWeight.setInteger(weight);
        dm->boxes.post();
        store().boxEditMode = mode;
        return static_cast<std::int32_t>(dm->boxesKindID.asInteger());
    }

    // Appends a task and leaves it current.
    std::int32_t addTask(const std::string& name) {
        dm->tasks.append();
        dm->tasks.edit();
        dm->tasksName.setString(name);
        dm->tasks.post();
        return static_cast<std::int32_t>(dm->tasksTaskID.asInteger());
    }

    void addTaskContainer(std::int32_t typeID, int avail) {
        dm->tc.append();
        dm->tcTypeID.setInteger(typeID);
        dm->tcAvail.setInteger(avail);
        dm->tc.post();
    }

    void addTaskBox(std::int32_t kindID, int total) {
        dm->tb.append();
        dm->tbKindID.setInteger(kindID);
        dm->tbTotal.setInteger(total);
        dm->tb.post();
    }

    // A truck and a van for pallets and crates; more pallets than the truck takes.
    std::int32_t sampleTask(int trucks = 1, int pallets = 30) {
        const std::int32_t truck = addContainer("Truck", 1360, 245, 24000);
        const std::int32_t van = addContainer("Van", 420, 200, 3000);
        const std::int32_t pallet = addBox("Pallet", 120, 80, 500);
        const std::int32_t crate = addBox("Crate", 60, 40, 20);
        const std::int32_t id = addTask("Shipment");
        addTaskContainer(truck, trucks);
        addTaskContainer(van, 1);
        addTaskBox(pallet, pallets);
        addTaskBox(crate, 12);
        return id;
    }

    int rows(rectix::dataset::Cursor& c) const { return static_cast<int>(c.recordCount()); }
    bool solved() const { return dm->tasksSolut.asBoolean(); }

    rectix::app::MainWindow* main = nullptr;
    rectix::taskdb::DataModule* dm = nullptr;
};

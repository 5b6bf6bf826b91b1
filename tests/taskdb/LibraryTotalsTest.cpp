// The page's totals follow changes of the library rows that the current task uses.
#include "TaskDbFixture.h"

namespace rectix::taskdb::test {

TEST_F(TaskDbTest, ALibraryChangeRefreshesTheTaskTotals) {
    const std::int32_t crate = addBox("Crate", 10, 10, 5);
    const std::int32_t truck = addContainer("Truck", 100, 50, 900);
    addTask("Shipment");
    addTaskBox(crate, 4);
    addTaskContainer(truck, 2);
    EXPECT_EQ(figure(PageFigure::TotWgt), "20");
    EXPECT_EQ(figure(PageFigure::AvlWgt), "1800");

    store.boxEditMode = store.cntEditMode = true;
    ASSERT_TRUE(dm->boxes.locate("KindID", crate));
    dm->boxes.edit();
    dm->boxesWeight.setInteger(7);
    dm->boxes.post();
    EXPECT_EQ(figure(PageFigure::TotWgt), "28");
    ASSERT_TRUE(dm->conts.locate("TypeID", truck));
    dm->conts.edit();
    dm->contsLoadWt.setInteger(1000);
    dm->conts.post();
    EXPECT_EQ(figure(PageFigure::AvlWgt), "2000");
}

} // namespace rectix::taskdb::test

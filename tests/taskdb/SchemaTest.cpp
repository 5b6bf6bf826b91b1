// The tables of a set and the links between the data module's cursors.
#include "TaskDbFixture.h"

#include "dataset/Errors.h"

namespace rectix::taskdb::test {

using Schema = TaskDbTest;

TEST_F(Schema, AContainerFillDirectionOutsideTheListIsRefusedOnPost) {
    store.cntEditMode = true;
    dm->conts.append();
    dm->contsType.setString("Odd");
    dm->contsLength.setInteger(100);
    dm->contsWidth.setInteger(100);
    dm->contsFillDir.setString("Up");
    try {
        dm->conts.post();
        FAIL() << "posted";
    } catch (const dataset::FieldError& e) {
        EXPECT_STREQ(e.what(), "Choose a value from drop-down list");
    }
    dm->contsFillDir.setString("Either");
    dm->conts.post();
}

TEST_F(Schema, TaskRowsAndTheSolutionFollowTheCurrentTask) {
    const auto truck = addContainer("Truck", 1200, 800);
    const auto van = addContainer("Van", 600, 400);
    const auto crate = addBox("Crate", 100, 100);
    const auto drum = addBox("Drum", 50, 50);
    const auto first = addTask("First");
    addTaskContainer(truck, 1);
    addTaskContainer(van, 1);
    addTaskBox(crate, 1);
    addSolutionContainer(1, truck, crate);
    addSolutionContainer(2, van, crate);
    dm->distr.append();
    dm->distrKindID.setInteger(drum);
    dm->distrPlaced.setInteger(2);
    dm->distr.post();
    addTask("Second");
    addTaskContainer(van, 1);

    auto counts = [&] {
        return std::vector<std::size_t>{dm->tc.recordCount(), dm->tb.recordCount(), dm->tcs.recordCount(),
                                        dm->tbs.recordCount(), dm->solut.recordCount()};
    };
    EXPECT_EQ(counts(), (std::vector<std::size_t>{1, 0, 1, 0, 0}));
    dm->tasks.locate("TaskID", first);
    EXPECT_EQ(counts(), (std::vector<std::size_t>{2, 1, 2, 1, 2}));
    EXPECT_EQ(dm->tcType.asString(), "Truck"); // index order: TypeID within the task

    dm->solut.first();
    EXPECT_EQ(dm->distr.recordCount(), 1u);
    dm->solut.next();
    EXPECT_EQ(dm->solutContNo.asInteger(), 2);
    EXPECT_EQ(dm->distr.recordCount(), 2u);
    EXPECT_EQ(dm->posit.recordCount(), 1u);
    EXPECT_EQ(dm->positKind.asString(), "Crate");
}

} // namespace rectix::taskdb::test

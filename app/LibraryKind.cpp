#include "app/LibraryKind.h"

namespace rectix::app {

namespace {

const QStringList falseTrue{QStringLiteral("False"), QStringLiteral("True")};

} // namespace

const LibraryKind& LibraryKind::containers() {
    static const LibraryKind kind{
        .objectName = "CntForm",
        .textsName = "TCntForm",
        .helpContext = 9,
        .library = &taskdb::DataModule::conts,
        .taskRows = &taskdb::DataModule::tc,
        .allTaskRows = &taskdb::DataModule::tcloc,
        .keyField = "TypeID",
        .nameField = "Type",
        .amountField = "Avail",
        .editMode = &taskdb::RunStore::cntEditMode,
        .askEachTask = &taskdb::RunStore::askEachTaskConts,
        .placement = &taskdb::RunStore::Placement::cntForm,
        .columns = {{"Avail", 41},
                    {"Type"},
                    {"Mark"},
                    {"Length"},
                    {"Width"},
                    {"Volume"},
                    {"FillDir",
                     0,
                     {QStringLiteral("Length"), QStringLiteral("Width"), QStringLiteral("Either")}},
                    {"LoadWt"},
                    {"NoseWt"},
                    {"TailWt"},
                    {"NoseDL"},
                    {"TailDL"},
                    {"Temp", 0, falseTrue},
                    {"Descr", 279}},
        .deleteQuestion = 3,
        .deleteSeparator = "\r",
        .answerForAll = false,
        .anchor = TaskPageAnchor::BoxesButton,
        .anchorOffset = -8,
        .heightWithinMainWindow = true};
    return kind;
}

const LibraryKind& LibraryKind::boxes() {
    static const LibraryKind kind{.objectName = "BoxForm",
                                  .textsName = "TBoxForm",
                                  .helpContext = 11,
                                  .library = &taskdb::DataModule::boxes,
                                  .taskRows = &taskdb::DataModule::tb,
                                  .allTaskRows = &taskdb::DataModule::tbloc,
                                  .keyField = "KindID",
                                  .nameField = "Kind",
                                  .amountField = "Total",
                                  .editMode = &taskdb::RunStore::boxEditMode,
                                  .askEachTask = &taskdb::RunStore::askEachTaskBoxes,
                                  .placement = &taskdb::RunStore::Placement::boxForm,
                                  .columns = {{"Total", 40},
                                              {"Kind"},
                                              {"Mark"},
                                              {"Length"},
                                              {"Width"},
                                              {"Volume"},
                                              {"Weight"},
                                              {"TurnOn", 0, falseTrue},
                                              {"Temp", 0, falseTrue},
                                              {"Descr", 233}},
                                  .deleteQuestion = 1,
                                  .deleteSeparator = "  ",
                                  .answerForAll = true,
                                  .anchor = TaskPageAnchor::BoxesGrid,
                                  .anchorOffset = 80,
                                  .heightWithinMainWindow = false};
    return kind;
}

} // namespace rectix::app

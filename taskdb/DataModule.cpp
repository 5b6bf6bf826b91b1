// The data module: construction, field settings, links and event binding.
#include "taskdb/DataModule.h"

#include "core/Dialogs.h"

#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"
#include "taskdb/ValueRanges.h"

#include "core/Errors.h"
#include "core/UiTexts.h"

namespace rectix::taskdb {

namespace {

struct Display {
    const char* field;
    int width = 0;
    bool required = false;
    const char* format = nullptr;
    const char* label = nullptr;
};

void display(dataset::Cursor& c, std::initializer_list<Display> settings) {
    for (const Display& d : settings) {
        dataset::Field& f = c.field(d.field);
        if (d.width) f.setDisplayWidth(d.width);
        if (d.required) f.setRequired(true);
        if (d.format) f.setDisplayFormat(d.format);
        if (d.label) f.setLabel(d.label);
    }
}

bool isBoolean(const dataset::Value& v) {
    return v.kind() == dataset::Value::Kind::Boolean;
}

} // namespace

DataModule::DataModule(RunStore& store, const std::filesystem::path& programFolder)
    : store_(store), page_(&nullPage_), settings_(&nullSettings_), viewOptions_(&nullViewOptions_),
      wait_(&nullWait_), operations_(&nullOperations_), contLibrary_(&nullLibrary_),
      boxLibrary_(&nullLibrary_), db(dataset::AliasRegistry(programFolder), "RectixB", schema()),
      exdb(dataset::AliasRegistry(programFolder), "Rectixexp", schema()) {
    conts.orderByIndex("Type_ind");
    boxes.orderByIndex("Kind_Ind");
    tc.setMaster(tasks, {"TaskID"});
    tb.setMaster(tasks, {"TaskID"});
    tcs.orderByFields({"TaskID"});
    tcs.setMaster(tasks, {"TaskID"});
    tbs.orderByFields({"TaskID"});
    tbs.setMaster(tasks, {"TaskID"});
    solut.orderByFields({"TaskID"});
    solut.setMaster(tasks, {"TaskID"});
    distr.orderByFields({"TaskID", "ContNo"});
    distr.setMaster(solut, {"TaskID", "ContNo"});
    posit.orderByFields({"TaskID", "ContNo"});
    posit.setMaster(solut, {"TaskID", "ContNo"});
    // The rows of a type (kind) stand together, in task order: the library rules find the
    // tasks that use one by halving instead of reading every row.
    tcloc.orderByFields({"TypeID", "TaskID"});
    tbloc.orderByFields({"KindID", "TaskID"});
    setUpFields();
    bindEvents();
}

DataModule::~DataModule() = default;

dataset::Field& DataModule::calc(Cursor& c, const char* name, FT type, int size) {
    return c.addCalcField(name, type, size);
}

dataset::Field& DataModule::lookup(Cursor& c, const char* name, FT type, int size, const char* key,
                                   Cursor& source, const char* result) {
    return c.addLookupField({name, type, size, {key}, &source, {key}, result});
}

void DataModule::setUpFields() {
    display(conts, {{"Type", 25, true},
                    {"Length", 7, true},
                    {"Width", 7, true},
                    {"LoadWt", 7},
                    {"FillDir", 6},
                    {"Descr", 50},
                    {"Avail", 6, false, nullptr, "Q'ty"},
                    {"Cost", 6},
                    {"NoseWt", 6},
                    {"TailWt", 6},
                    {"NoseDL", 6},
                    {"TailDL", 6},
                    {"Volume", 7}});
    contsFillDir.setConstraint(
        [](const dataset::Value& v) {
            return v.kind() == dataset::Value::Kind::Text &&
                   (v.text() == "Length" || v.text() == "Width" || v.text() == "Either");
        },
        "Choose a value from drop-down list");
    const char* booleanText = "Enter 'f' (false) or 't' (true)";
    contsTemp.setConstraint(isBoolean, booleanText);

    display(boxes, {{"Kind", 25, true},
                    {"Length", 7, true},
                    {"Width", 7, true},
                    {"Weight", 7, true},
                    {"Descr", 50},
                    {"Total", 6, false, nullptr, "Q'ty"},
                    {"Cost", 6},
                    {"Volume", 7}});
    boxesTurnOn.setConstraint(isBoolean, booleanText);
    boxesTemp.setConstraint(isBoolean, booleanText);

    tasksName.setRequired(true);

    display(tc, {{"TaskID", 0, true},
                 {"TypeID", 0, true},
                 {"Avail", 3},
                 {"Used", 3},
                 {"Prior", 3, false, nullptr, "Pr"},
                 {"Cost", 5, false, "0.##"},
                 {"Type", 20},
                 {"LoadWt", 6},
                 {"Volume", 6},
                 {"Length", 6},
                 {"Width", 6},
                 {"NoseWt", 6},
                 {"TailWt", 6},
                 {"NoseDL", 6},
                 {"TailDL", 6}});
    display(tb, {{"TaskID", 0, true},
                 {"KindID", 0, true},
                 {"Total", 3},
                 {"Placed", 3},
                 {"Prior", 3},
                 {"Bind", 3},
                 {"Cost", 5, false, "0.##"},
                 {"Left", 3},
                 {"Kind", 20},
                 {"Mark", 3},
                 {"Weight", 6},
                 {"Volume", 6},
                 {"Length", 6},
                 {"Width", 6}});
    display(tcs, {{"TaskID", 0, true}, {"TypeID", 0, true}});
    display(tbs, {{"TaskID", 0, true}, {"KindID", 0, true}});
    display(tcloc, {{"TaskID", 0, true}, {"TypeID", 0, true}});
    display(tbloc, {{"TaskID", 0, true}, {"KindID", 0, true}});
    display(extc, {{"TaskID", 0, true}, {"TypeID", 0, true}});
    display(extb, {{"TaskID", 0, true}, {"KindID", 0, true}});

    display(solut, {{"ContNo", 2},
                    {"BoxLoad", 3},
                    {"WgtLoad", 5},
                    {"WolLoad", 5, false, nullptr, "VolLd"},
                    {"CostLoad", 5, false, "0.##"},
                    {"NoseLoad", 5},
                    {"TailLoad", 5},
                    {"VolLoad", 5},
                    {"Type", 8},
                    {"WgtEff", 5, false, "0.00"},
                    {"VolEff", 5, false, "0.00"}});
    display(distr, {{"ContNo", 3}, {"Placed", 4}, {"Kind", 10}, {"Mark", 4}, {"WgtSum", 5}, {"VolSum", 5}});
    display(posit, {{"ContNo", 2},
                    {"BoxNo", 4},
                    {"PosX", 7},
                    {"PosY", 7},
                    {"PosLh", 6, false, nullptr, "Put L"},
                    {"PosWh", 6, false, nullptr, "Put W"},
                    {"LoadNo", 3, false, nullptr, "Load N"},
                    {"Kind", 8}});
}

void DataModule::bindEvents() {
    auto on = [this](void (DataModule::*handler)()) {
        return [this, handler](Cursor&) { (this->*handler)(); };
    };
    auto check = [this](Field& f, void (DataModule::*handler)()) {
        f.onValidate = [this, handler](Field&) { (this->*handler)(); };
    };

    conts.events.beforeInsert = on(&DataModule::contsBeforeInsert);
    conts.events.beforeEdit = on(&DataModule::contsBeforeEdit);
    conts.events.beforeDelete = on(&DataModule::contsBeforeDelete);
    conts.events.onCalcFields = on(&DataModule::contsCalcFields);
    conts.events.onNewRecord = on(&DataModule::contsNewRecord);
    check(contsLength, &DataModule::contsLengthValidate);
    check(contsNoseDL, &DataModule::contsNoseDLValidate);
    check(contsTailDL, &DataModule::contsTailDLValidate);

    boxes.events.beforeInsert = on(&DataModule::boxesBeforeInsert);
    boxes.events.beforeEdit = on(&DataModule::boxesBeforeEdit);
    boxes.events.beforeDelete = on(&DataModule::boxesBeforeDelete);
    boxes.events.onCalcFields = on(&DataModule::boxesCalcFields);
    for (Cursor* library : {&conts, &boxes}) {
        library->events.afterPost = [this](Cursor& c) { libraryAfterChange(c); };
        library->events.afterDelete = [this](Cursor& c) { libraryAfterChange(c); };
    }

    tasks.events.afterOpen = on(&DataModule::tasksAfterOpen);
    tasks.events.afterInsert = on(&DataModule::tasksAfterInsert);
    tasks.events.afterPost = on(&DataModule::tasksAfterPost);
    tasks.events.beforeDelete = on(&DataModule::tasksBeforeDelete);
    tasks.events.afterDelete = on(&DataModule::tasksAfterDelete);
    tasks.events.afterScroll = on(&DataModule::tasksAfterScroll);

    tc.events.beforeInsert = on(&DataModule::tcBeforeInsert);
    tc.events.onNewRecord = on(&DataModule::tcNewRecord);
    tc.events.beforeDelete = on(&DataModule::tcBeforeDelete);
    tc.events.afterDelete = on(&DataModule::tcAfterDelete);
    tc.events.afterPost = on(&DataModule::tcAfterPost);
    check(tcTypeID, &DataModule::tcTypeIDValidate);
    check(tcAvail, &DataModule::tcAvailValidate);
    check(tcCost, &DataModule::tcCostValidate);

    tb.events.beforeInsert = on(&DataModule::tbBeforeInsert);
    tb.events.onNewRecord = on(&DataModule::tbNewRecord);
    tb.events.beforeDelete = on(&DataModule::tbBeforeDelete);
    tb.events.afterDelete = on(&DataModule::tbAfterDelete);
    tb.events.afterPost = on(&DataModule::tbAfterPost);
    tb.events.onCalcFields = on(&DataModule::tbCalcFields);
    check(tbKindID, &DataModule::tbKindIDValidate);
    check(tbTotal, &DataModule::tbTotalValidate);
    check(tbCost, &DataModule::tbCostValidate);

    solut.events.onCalcFields = on(&DataModule::solutCalcFields);
    distr.events.onCalcFields = on(&DataModule::distrCalcFields);

    // Rows with nothing available are refused whichever cursor posts them.
    for (Cursor* c : {&tc, &tcs, &extc})
        c->events.beforePost = [this](Cursor& rows) {
            checkAvailPosted(rows);
            if (&rows != &extc) checkRangesPosted(rows, "tc");
        };
    for (Cursor* c : {&tb, &tbs, &extb})
        c->events.beforePost = [this](Cursor& rows) {
            checkTotalPosted(rows);
            if (&rows != &extb) checkRangesPosted(rows, "tb");
        };
    conts.events.beforePost = [this](Cursor& rows) { checkRangesPosted(rows, "conts"); };
    boxes.events.beforePost = [this](Cursor& rows) { checkRangesPosted(rows, "boxes"); };
}

// A value outside the rules' ranges is refused when a post sets it; a post
// that leaves a stored value as it was passes it, and the solve bridge refuses
// it when it reads the task.
void DataModule::checkRangesPosted(Cursor& rows, const char* table) {
    const bool edit = rows.state() == dataset::CursorState::Edit;
    for (const auto& def : rows.tableDef().fields) {
        const ValueRange* r = valueRange(table, def.name);
        if (!r) continue;
        dataset::Field& f = rows.field(def.name);
        const dataset::Value& v = f.value();
        if (v.isNull() || (edit && rows.storedValue(def.name) == v)) continue;
        if (!r->contains(static_cast<double>(dataset::numericValue(v)))) {
            f.focusControl();
            refuse(DialogKind::Error, r->rule(), 0);
        }
    }
}

void DataModule::setTaskPage(TaskPageView* page) {
    page_ = page ? page : &nullPage_;
}

void DataModule::setSettingsWindow(SettingsView* window) {
    settings_ = window ? window : &nullSettings_;
}

void DataModule::setViewOptions(ViewOptionsView* options) {
    viewOptions_ = options ? options : &nullViewOptions_;
}

void DataModule::setWaitWindow(ProgressView* wait) {
    wait_ = wait ? wait : &nullWait_;
}

void DataModule::setOperationView(OperationView* view) {
    operations_ = view ? view : &nullOperations_;
}

void DataModule::setContainerLibrary(LibraryView* window) {
    contLibrary_ = window ? window : &nullLibrary_;
}

void DataModule::setBoxLibrary(LibraryView* window) {
    boxLibrary_ = window ? window : &nullLibrary_;
}

std::vector<dataset::Cursor*> DataModule::workingTables() {
    return {&conts, &boxes, &tb, &tc, &tbs, &tcs, &tbloc, &tcloc, &posit, &distr, &solut, &tasks, &tasksloc};
}

std::vector<dataset::Cursor*> DataModule::exportTables() {
    return {&exconts, &exboxes, &extb, &extc, &exposit, &exdistr, &exsolut, &extasks};
}

std::int32_t DataModule::currentTaskID() const {
    return tasksTaskID.asInteger();
}

DialogButton DataModule::ask(DialogKind kind, const std::string& text, DialogButtons buttons,
                             int helpContext) {
    return core::Dialogs::current().show(kind, text, buttons, helpContext);
}

void DataModule::refuse(DialogKind kind, const std::string& text, int helpContext) {
    ask(kind, text, DialogButton::Ok, helpContext);
    throw core::SilentAbort();
}

void DataModule::postPending(Cursor& c) {
    const auto s = c.state();
    if ((s == dataset::CursorState::Edit || s == dataset::CursorState::Insert) && c.modified()) c.post();
}

} // namespace rectix::taskdb

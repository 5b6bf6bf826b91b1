#include "results/LibraryReport.h"

#include "results/ReportLayout.h"
#include "taskdb/DataModule.h"

namespace rectix::results {

namespace rl = reportLayout;

namespace {

struct LibraryForm {
    const char* title;   // the print job's name
    const char* heading; // over the first page
    std::vector<rl::Column> columns;
};

const LibraryForm& formOf(LibraryReport::Library library) {
    static const LibraryForm boxes{"Rectix Box Library",
                                   "Part / 2D Box Library",
                                   {{"Part / Box Kind", "Kind", 0, 130, false},
                                    {"Mark", "Mark", 132, 36},
                                    {"Length", "Length", 172, 44},
                                    {"Width", "Width", 220, 44},
                                    {"Area", "Volume", 268, 56},
                                    {"Weight", "Weight", 328, 48},
                                    {"TurnOn", "TurnOn", 380, 44},
                                    {"Description", "Descr", 434, 89, false}}};
    static const LibraryForm containers{"Rectix Container Library",
                                        "Sheet / 2D Container Library",
                                        {{"Sheet / Container Type", "Type", 0, 118, false},
                                         {"Mark", "Mark", 120, 30},
                                         {"Length", "Length", 152, 40},
                                         {"Width", "Width", 194, 40},
                                         {"Area", "Volume", 236, 50},
                                         {"Fill Dir", "FillDir", 294, 38, false},
                                         {"LoadWt", "LoadWt", 332, 42},
                                         {"Nose / Tail Weigt & Posit", "NoseWt", 378, 34},
                                         {"", "TailWt", 414, 34},
                                         {"", "NoseDL", 452, 34},
                                         {"", "TailDL", 489, 34}}};
    return library == LibraryReport::Library::Boxes ? boxes : containers;
}

} // namespace

LibraryReport::LibraryReport(taskdb::DataModule& dm, Library library) {
    const LibraryForm& form = formOf(library);
    dataset::Cursor& rows = library == Library::Boxes ? dm.boxes : dm.conts;
    report_.title = QString::fromUtf8(form.title);
    report_.titleBand.height = 30;
    report_.titleBand.add(rl::label(0, 0, rl::pageWidth, QString::fromUtf8(form.heading), 14, true));
    report_.columnHeader = rl::columnHeader(form.columns);
    report_.detail = rl::detail(rows, form.columns);
    report_.setRows(rows);
    report_.summary = rl::titleLineBand();
    report_.beforePrint = [this] { rl::setTitleLine(report_); };
    job_ = ui::CompositeReport(report_);
}

} // namespace rectix::results

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
                                    {"Mark", "Mark", 132, 28},
                                    {"Length", "Length", 164, 36},
                                    {"Width", "Width", 204, 36},
                                    {"Area", "Volume", 244, 66},
                                    {"Weight", "Weight", 314, 40},
                                    {"TurnOn", "TurnOn", 358, 42},
                                    {"Description", "Descr", 410, 113, false}}};
    // Load weights and areas of the largest values print smaller.
    static const LibraryForm containers{"Rectix Container Library",
                                        "Sheet / 2D Container Library",
                                        {{"Sheet / Container Type", "Type", 0, 116, false},
                                         {"Mark", "Mark", 118, 30},
                                         {"Length", "Length", 150, 36},
                                         {"Width", "Width", 188, 34},
                                         {"Area", "Volume", 224, 52},
                                         {"Fill Dir", "FillDir", 282, 36, false},
                                         {"LoadWt", "LoadWt", 318, 42},
                                         {"Nose / Tail Weigt & Posit", "NoseWt", 362, 40},
                                         {"", "TailWt", 404, 40},
                                         {"", "NoseDL", 448, 36},
                                         {"", "TailDL", 487, 36}}};
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

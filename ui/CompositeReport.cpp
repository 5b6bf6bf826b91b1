#include "ui/CompositeReport.h"

#include "ui/BandedReport.h"
#include "ui/ReportPages.h"

#include <QPagedPaintDevice>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace rectix::ui {

CompositeReport::CompositeReport(const BandedReport& report) : title(report.title), parts{&report} {}

namespace {

bool isChosen(const CompositeReport::PageChoice& choice, int page) {
    return choice.ranges.isEmpty() || choice.ranges.contains(page);
}

// The chosen pages of a job of `jobPages` pages in the order they print, copies included.
std::vector<int> printOrder(const CompositeReport::PageChoice& choice, int jobPages) {
    std::vector<int> once;
    for (int page = 1; page <= jobPages; ++page)
        if (isChosen(choice, page)) once.push_back(page);
    if (choice.lastFirst) std::reverse(once.begin(), once.end());
    const int copies = std::max(choice.copies, 1);
    std::vector<int> order;
    if (choice.collate) {
        for (int c = 0; c < copies; ++c) order.insert(order.end(), once.begin(), once.end());
    } else {
        for (int page : once) order.insert(order.end(), static_cast<std::size_t>(copies), page);
    }
    return order;
}

} // namespace

int CompositeReport::paint(QPagedPaintDevice& device, const PageChoice& choice) const {
    const std::vector<const BandedReport*> printed = addReports ? addReports() : parts;
    if (printed.empty()) return 0;
    ReportPages pages(device);
    auto pass = [&](std::function<bool(int)> selected) {
        pages.startPass(std::move(selected));
        for (const BandedReport* part : printed) part->paint(pages);
        return pages.passPages();
    };
    int jobPages = 0;
    if (!choice.lastFirst && choice.copies <= 1) {
        jobPages = pass([&choice](int page) { return isChosen(choice, page); });
    } else {
        // Laid out once to count the pages, then once for each rising run of the print order.
        jobPages = pass([](int) { return false; });
        const std::vector<int> order = printOrder(choice, jobPages);
        for (std::size_t run = 0, end = 0; run < order.size(); run = end) {
            for (end = run + 1; end < order.size() && order[end] > order[end - 1];) ++end;
            const std::vector<int> pagesOfRun(order.begin() + static_cast<std::ptrdiff_t>(run),
                                              order.begin() + static_cast<std::ptrdiff_t>(end));
            pass(
                [&pagesOfRun](int p) { return std::binary_search(pagesOfRun.begin(), pagesOfRun.end(), p); });
        }
    }
    if (pages.printed() == 0)
        throw std::runtime_error("None of the pages chosen is in the report; it has " +
                                 std::to_string(jobPages) + (jobPages == 1 ? " page" : " pages"));
    pages.finish();
    return pages.printed();
}

} // namespace rectix::ui

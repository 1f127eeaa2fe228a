#include "PageSource.h"
#include "ReportPaginator.h"

namespace report {

bool DocumentPages::run(const PageSink& sink)
{
    for (int i = 0; i < doc_.pageCount(); ++i) {
        if (!sink(doc_.pages[size_t(i)], i))
            return false;
    }
    return true;
}

LaidOutPages::LaidOutPages(const PageSetup& page, const std::vector<ReportBand>& bands, const QString& title,
                           ReportDataProvider* data, bool printIfEmpty)
    : page_(page), bands_(bands), title_(title), data_(data), printIfEmpty_(printIfEmpty)
{
}

int LaidOutPages::countPages(const KeepGoing& keepGoing)
{
    ReportPaginator paginator(page_, bands_, title_);
    paginator.setPrintIfEmpty(printIfEmpty_);
    return paginator.countPages(data_, keepGoing);
}

bool LaidOutPages::run(const PageSink& sink)
{
    ReportPaginator paginator(page_, bands_, title_);
    paginator.setPrintIfEmpty(printIfEmpty_);
    return paginator.run(data_, sink);
}

} // namespace report

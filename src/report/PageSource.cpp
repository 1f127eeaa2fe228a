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
                           ReportDataProvider* data)
    : page_(page), bands_(bands), title_(title), data_(data)
{
}

int LaidOutPages::countPages(const KeepGoing& keepGoing)
{
    return ReportPaginator(page_, bands_, title_).countPages(data_, keepGoing);
}

bool LaidOutPages::run(const PageSink& sink)
{
    return ReportPaginator(page_, bands_, title_).run(data_, sink);
}

} // namespace report

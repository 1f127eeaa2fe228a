#pragma once
// Pages handed out one at a time, so printing keeps only the page it is drawing: either pages
// already laid out, or a report laid out while it is printed.
#include "ReportDocument.h"

#include <functional>

namespace report {

class ReportDataProvider;

/// Receives a finished page (0-based index); the page lives only during the call. False stops.
using PageSink = std::function<bool(const ReportPage& page, int pageIndex)>;
/// Asked now and then during a long step; false stops it.
using KeepGoing = std::function<bool()>;

class PageSource {
public:
    virtual ~PageSource() = default;
    virtual const PageSetup& page() const = 0;
    virtual const std::vector<ReportBand>& bands() const = 0;
    /// The number of pages run() gives; -1 when keepGoing said stop.
    virtual int countPages(const KeepGoing& keepGoing) = 0;
    /// Hands every page in order to sink; false when sink stopped it.
    virtual bool run(const PageSink& sink) = 0;
};

/// The pages of a laid-out document; the document is not owned.
class DocumentPages : public PageSource {
public:
    explicit DocumentPages(const ReportDocument& doc) : doc_(doc) {}
    const PageSetup& page() const override { return doc_.page; }
    const std::vector<ReportBand>& bands() const override { return doc_.bands; }
    int countPages(const KeepGoing&) override { return doc_.pageCount(); }
    bool run(const PageSink& sink) override;

private:
    const ReportDocument& doc_;
};

/// A report's design laid out on the data while the pages are taken; holds a copy of the
/// design, not the data, which must outlive it. Every count or run reads the data anew.
class LaidOutPages : public PageSource {
public:
    /// printIfEmpty: data without a record gives one page without detail lines.
    LaidOutPages(const PageSetup& page, const std::vector<ReportBand>& bands, const QString& title,
                 ReportDataProvider* data, bool printIfEmpty = false);
    const PageSetup& page() const override { return page_; }
    const std::vector<ReportBand>& bands() const override { return bands_; }
    int countPages(const KeepGoing& keepGoing) override;
    bool run(const PageSink& sink) override;

private:
    PageSetup page_;
    std::vector<ReportBand> bands_;
    QString title_;
    ReportDataProvider* data_;
    bool printIfEmpty_;
};

} // namespace report

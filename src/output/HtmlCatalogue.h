#pragma once
// The web catalogue: a folder that any browser opens from a disk, a shared folder or web
// space, with index.html (every tape, searched and sorted by the page itself) and billeder/
// (cover thumbnails at most kThumbnailHeight pixels high). It is built in a hidden folder
// beside the target and put in its place once complete, so a full disk or a cancel leaves
// an earlier catalogue as it was.
#include "WebTexts.h"

#include <QString>
#include <functional>

namespace engine {
class Database;
}

namespace output {

constexpr int kThumbnailHeight = 300;

struct HtmlCatalogueOptions {
    QString picturesDir;                              ///< where Front<nr>.jpg and Back<nr>.jpg lie
    WebText text = danishWebText;                     ///< the catalogue's language
    std::function<bool(qint64, qint64)> progress;     ///< tapes done, total; false cancels
};

/// Writes the web catalogue of the tables on db into folder and returns how many tapes it
/// holds. folder may be missing, empty, or hold an earlier web catalogue; anything else is
/// refused. Throws EExportError naming the reason, or EAbort on a cancel; folder is then
/// as it was.
int writeHtmlCatalogue(engine::Database& db, const QString& folder, const HtmlCatalogueOptions& options);

} // namespace output

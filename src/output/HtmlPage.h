#pragma once
// The web catalogue's one page: the template shipped in the program's resources with the
// tapes as inline data. Table rows are JSON; descriptions and casts are one compressed
// block the page unpacks itself, which keeps 100,000 tapes with long descriptions small.
#include "WebTapes.h"
#include "WebTexts.h"

#include <QByteArray>
#include <vector>

namespace output {

/// Cover pictures written for a tape: kFrontCover and/or kBackCover.
enum WebCover { kFrontCover = 1, kBackCover = 2 };

/// The page for these tapes. covers[i] holds tape i's cover bits; hasLocation shows the
/// Placering column. No HTML special character of a value appears unescaped in the page.
QByteArray htmlPage(const std::vector<WebTape>& tapes, const std::vector<int>& covers, bool hasLocation,
                    const WebText& text);

/// text as a JSON string literal holding no <, >, &, ' or line separator, so that it may stand
/// inside a script element.
void appendJsonString(QString& out, const QString& text);

} // namespace output

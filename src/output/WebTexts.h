#pragma once
// The texts of the web catalogue and its command, Danish in the code, the other languages
// from the language files' "Web" section.
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace output {

/// The text of key in the catalogue's language, or the Danish text given.
using WebText = std::function<QString(const char* key, const QString& danish)>;

/// The Danish text itself: the lookup when no language is known.
QString danishWebText(const char* key, const QString& danish);

/// The page's texts: key and Danish text, each key once.
const std::vector<std::pair<const char*, const char*>>& webPageTexts();

} // namespace output

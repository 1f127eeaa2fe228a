#pragma once
// The printed list's own texts on screen (the preview's buttons, the progress window): Danish
// here, the other languages from the language files' "Report" section.
#include <QString>

namespace report {

/// The report's text for key in the active language; danish when none is known.
QString reportText(const char* key, const QString& danish);

} // namespace report

#pragma once
// The cover picture files of a tape and the placeholders shown when a tape has none. Pictures
// live in the program's Billeder folder as Front<TapeNr>.jpg and Back<TapeNr>.jpg.
#include <QImage>
#include <QString>

namespace forms {

enum class CoverSide { Front, Back };

/// The picture file of one side of a tape (the number used as the field holds it).
QString coverPath(CoverSide side, const QString& tapeNr);

/// The placeholder for an active language index: Ingen.jpg (Danish, Norwegian and anything
/// unknown), None.jpg (English), Bold.jpg (Swedish), Kein.jpg (German).
QString placeholderPath(int languageIndex);

/// Why a tape number cannot become part of a file name (empty, a path separator, "..", a
/// control character); empty when it can.
QString tapeNrProblem(const QString& tapeNr);

/// The tape's picture of that side, or the placeholder when the tape has no readable one (or
/// a number that cannot name a file). Throws EInOutError when the placeholder cannot be loaded.
QImage coverOrPlaceholder(CoverSide side, const QString& tapeNr, int languageIndex);

/// Copies a chosen file over the tape's picture of that side. The file is replaced in one step,
/// so a copy that fails leaves any earlier picture as it was. Throws EInOutError, copying
/// nothing, for a number that cannot name a file; returns the reason when the copy failed
/// (empty on success).
QString copyCover(const QString& chosenFile, CoverSide side, const QString& tapeNr);

} // namespace forms

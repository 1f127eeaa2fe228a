#pragma once
// An old catalogue as Paradox tables, written by the test writer: the nine tables with the
// program's field names (some of other types than the program stores, one unknown field,
// one table missing), Danish letters, memo text with CR LF, a duplicate and an empty tape
// number, and a Billeder folder beside it. Import and window tests start from it.
#include <QString>

namespace paradoxtest {

struct OldCatalogue {
    QString root;         ///< holds Data/ and Billeder/
    QString dataFolder() const { return root + QStringLiteral("/Data"); }
    QString picturesFolder() const { return root + QStringLiteral("/Billeder"); }
};

/// Writes the old catalogue into root (created when missing).
OldCatalogue writeOldCatalogue(const QString& root);

/// Video rows of a catalogue with n tapes ("0001-00" ...), each with a description of
/// descriptionBytes and three cast rows; for scale tests.
void writeLargeOldCatalogue(const QString& dataFolder, int tapes, int descriptionBytes);

/// The tapes the old catalogue stores (the duplicate and the empty number are refused).
constexpr int oldCatalogueTapes = 3;

} // namespace paradoxtest

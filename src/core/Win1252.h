#pragma once
// Windows-1252 text: the byte format of language files and exported files, and the code
// page's own upper-casing used by the text search. Qt 6.4 has no codec for it.
#include <QByteArray>
#include <QString>

namespace core::win1252 {

/// Bytes to text; the five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 etc.
QString decode(const QByteArray& bytes);
QString decode(const char* data, qsizetype size);
/// Text to bytes; a character the code page lacks becomes '?' (never dropped).
QByteArray encode(const QString& text);
/// Text to bytes for a file a person reads: one byte per character (a character outside the
/// basic plane is one character), the letter without its accent where the character's
/// canonical decomposition starts with one the code page has, '?' otherwise. replaced counts
/// the characters not written as themselves.
QByteArray encodeNearest(const QString& text, qsizetype& replaced);
/// encodeNearest's bytes appended to bytes, whose room is reused from line to line.
void appendNearest(QByteArray& bytes, const QString& text, qsizetype& replaced);
/// The byte of one character, or -1 when the code page lacks it.
int byteOf(QChar c);
/// The code page's upper case of one character: a-z, the accented Latin-1 letters,
/// š, œ, ž, ÿ. ß and µ stay as they are; characters outside the code page are unchanged.
QChar upper(QChar c);
QString upper(const QString& text);
/// Folds a-z to A-Z only, every other character unchanged.
QString upperAscii(const QString& text);

} // namespace core::win1252

#pragma once
// "--labels FILE.pdf [--from NR] [--to NR] [--sheet NAME] [--first N]": the labels of a range
// of tapes as a PDF file, without a window.
#include "output/TapeRange.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace engine {
class Table;
}

namespace output {

struct LabelJob {
    QString file;
    TapeRange range;
    QString sheet = QStringLiteral("3x8");
    int firstPosition = 1;
};

/// Reads the arguments after "--labels". std::nullopt, with problem set to a message naming
/// the argument, when one is missing, unknown or not valid.
std::optional<LabelJob> parseLabelArguments(const QStringList& arguments, QString* problem);

/// Writes the labels of the job's tapes of videoTable (in its order) to file. Throws
/// core::EInOutError when there is no tape in the range or the file cannot be written.
void writeLabels(engine::Table& videoTable, const QString& file, const LabelJob& job);

} // namespace output

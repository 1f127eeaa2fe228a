#include "FontMapping.h"
#include "ReportItem.h"

namespace report {

QString installedFamily(const QString& designFamily)
{
    struct Mapping {
        const char* design;
        const char* installed;
    };
    static const Mapping mappings[] = {
        {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const Mapping& m : mappings) {
        if (designFamily.compare(QLatin1String(m.design), Qt::CaseInsensitive) == 0)
            return QLatin1String(m.installed);
    }
    return designFamily;
}

QFont qtFont(const ReportFont& font)
{
    QFont result(installedFamily(font.family));
    result.setPointSizeF(font.pointSize);
    result.setBold(font.bold);
    // Device-independent glyph advances: a text measured on one device fits on every other.
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

} // namespace report

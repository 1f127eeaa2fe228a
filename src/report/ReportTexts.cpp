#include "ReportTexts.h"

#include "core/SectionTexts.h"

namespace report {

QString reportText(const char* key, const QString& danish)
{
    return core::sectionText("Report", key, danish);
}

} // namespace report

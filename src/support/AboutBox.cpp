#include "AboutBox.h"

#include "AboutWnd.h"

namespace support {

QString versionText(const std::optional<FileVersion>& version)
{
    if (!version)
        return QString();
    return QStringLiteral("%1.%2 (%3: %4.%5)")
        .arg(version->major)
        .arg(version->minor)
        .arg(QStringLiteral("Build"))
        .arg(version->release)
        .arg(version->build);
}

TAboutBox::TAboutBox(QObject* owner) : QObject(owner) {}

QString TAboutBox::defaultCopyright()
{
    return QStringLiteral("Copyright \u00a9 Tolvane");
}

QString TAboutBox::defaultUrl()
{
    return QStringLiteral("https://www.tolvane.dk");
}

QString TAboutBox::defaultWarning()
{
    return QStringLiteral("Advarsel: Dette program er beskyttet af lov om ophavsret. Uautoriseret kopiering "
                          "eller distribution af programmet eller dele af det vil blive retsforfulgt. Tolvane "
                          "påtager sig intet ansvar for skader, der måtte opstå ved brug af programmet.");
}

void TAboutBox::Execute(QWidget* parent)
{
    // Freed when it closes, also when something goes wrong while it is shown.
    TAboutWnd window(*this, parent);
    window.exec();
}

} // namespace support

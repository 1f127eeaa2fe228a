#pragma once
// The translatable texts a window shows now: for the window itself and each of its named
// components (see ComponentTree), for each of the property names, the property's text when
// it is not blank. This is what a localizer captures as originals and what a language file
// must translate.
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace locale {

struct DesignText {
    QObject* object = nullptr;
    QString propName; ///< as written in the property names
    QString key;      ///< "Caption" for the window, "Button1.Caption" for a component
    QString text;     ///< a text, or the comma text of a list
};

class DesignTexts {
public:
    /// In component order, and per object in the order of propNames. Components whose name
    /// is in excluded (without regard to case) and components without a name are skipped.
    static QList<DesignText> Collect(QObject* window, const QStringList& propNames,
                                     const QStringList& excluded = QStringList());
};

} // namespace locale

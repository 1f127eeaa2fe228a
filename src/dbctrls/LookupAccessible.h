#pragma once
// What a screen reader is told of a lookup list: a combo box named by its label (or its own
// accessible name) with the shown value as its value. Qt's own combo box on Linux gives its
// value as its name and ignores the accessible name, so a list read "Krimi", not "Kategori".
// User-interface thread only.
#include <QAccessibleWidget>

namespace dbctrls {

class TDBLookupComboBox;

class TLookupAccessible : public QAccessibleWidget {
public:
    explicit TLookupAccessible(TDBLookupComboBox* list);

    /// Makes every lookup list read out this way (installs the factory once).
    static void install();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    TDBLookupComboBox* list() const;
};

/// The name a screen reader has for a control: its accessible name, else the text of the
/// label whose buddy it is (mnemonic marks dropped), else its hint.
QString labelledName(const QWidget* control);

} // namespace dbctrls

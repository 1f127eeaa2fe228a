#include "TestForm.h"

namespace locale_test {

QStringList TestForm::designColumns()
{
    QStringList titles;
    for (int i = 1; i <= 14; ++i)
        titles.append(QStringLiteral("Kolonne %1").arg(i));
    return titles;
}

QStringList TestForm::designHints()
{
    return {"Første", "Forrige", "Næste", "Sidste", "Tilføj", "Slet", "Ret", "Gem", "Fortryd"};
}

template <typename T> T* TestForm::add(QWidget* parent, const char* name)
{
    T* widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

TestForm::TestForm(locale::TQCustomLanguageSource* source, const QStringList& names)
{
    setObjectName(QStringLiteral("TestForm"));
    setWindowTitle(QStringLiteral("Testvindue"));
    QFormLocalizer1 = new locale::TQFormLocalizer(this);
    QFormLocalizer1->setObjectName(QStringLiteral("QFormLocalizer1"));
    QFormLocalizer1->SetPropNames(names);
    QFormLocalizer1->SetSource(source);

    Button1 = add<QPushButton>(this, "Button1");
    Button1->setText(QStringLiteral("Gem"));
    Button1->setToolTip(QStringLiteral("Gem posten"));
    Button2 = add<QPushButton>(this, "Button2");
    Button2->setText(QStringLiteral("Luk"));
    Panel1 = add<QWidget>(this, "Panel1");
    Label1 = add<QLabel>(Panel1, "Label1");
    Label1->setText(QStringLiteral("Titel:"));
    GroupBox1 = add<QGroupBox>(this, "GroupBox1");
    GroupBox1->setTitle(QStringLiteral("Oprindelse"));
    ComboBox1 = add<QComboBox>(this, "ComboBox1");
    ComboBox1->addItems({"Rød", "Grøn"});
    RadioGroup1 = add<ListHolder>(GroupBox1, "RadioGroup1");
    RadioGroup1->items = QStringList{"Original", "Kopi", "Privat optagelse"};
    RadioGroup1->values = QStringList{"Original", "Kopi", "Privat"};
    DBGrid1 = add<ListHolder>(this, "DBGrid1");
    DBGrid1->columns = designColumns();
    DBNavigator1 = add<ListHolder>(this, "DBNavigator1");
    DBNavigator1->hints = designHints();
    Filer1 = add<QMenu>(this, "Filer1");
    Filer1->setTitle(QStringLiteral("Filer"));
    Afslut1 = new QAction(QStringLiteral("Afslut"), this);
    Afslut1->setObjectName(QStringLiteral("Afslut1"));
    Filer1->addAction(Afslut1);
    OwnButton1 = add<CaptionButton>(this, "OwnButton1");
    OwnButton1->setText(QStringLiteral("Knaptekst"));
    OwnButton1->caption = QStringLiteral("Egen titel");

    QFormLocalizer1->Loaded();
}

} // namespace locale_test

#include "EtiketForm.h"

#include "Design.h"
#include "core/Guard.h"
#include "locale/TQFormLocalizer.h"
#include "output/LabelSheet.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace forms {

TEtiketForm::TEtiketForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = design::localizer(this, propNames());
    design::setUpDialog(this, "EtiketForm", QStringLiteral("Udskriv etiketter"));

    Label1 = design::label(this, "Label1", QStringLiteral("Etiketark:"), {12, 10});
    ComboBox1 = design::control<QComboBox>(this, "ComboBox1", {12, 28, 336, 22});
    for (const output::LabelSheet& sheet : output::labelSheets())
        ComboBox1->addItem(QString::fromUtf8(sheet.caption));
    Label2 = design::label(this, "Label2", QStringLiteral("Første etiket på arket:"), {12, 62});
    SpinEdit1 = design::control<QSpinBox>(this, "SpinEdit1", {12, 80, 80, 22});

    Button1 = design::control<QPushButton>(this, "Button1", {172, 114, 85, 25});
    Button1->setText(QStringLiteral("OK"));
    Button1->setDefault(true);
    Button2 = design::control<QPushButton>(this, "Button2", {263, 114, 85, 25});
    Button2->setText(QStringLiteral("Annuller"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    core::connectGuarded(ComboBox1, &QComboBox::currentIndexChanged, this, &TEtiketForm::ComboBox1Change);

    setFixedSize(kDesignWidth, kDesignHeight);
    QFormLocalizer1->Loaded();
    Label1->setBuddy(ComboBox1); // the names a screen reader says
    Label2->setBuddy(SpinEdit1);
    design::fitLabels(this);
    ComboBox1Change();
}

QStringList TEtiketForm::propNames()
{
    return {QStringLiteral("Caption"), QStringLiteral("Items")};
}

const output::LabelSheet& TEtiketForm::sheet() const
{
    const auto& sheets = output::labelSheets();
    const int index = ComboBox1->currentIndex();
    return sheets.at(index >= 0 && index < int(sheets.size()) ? size_t(index) : 0);
}

int TEtiketForm::firstPosition() const
{
    return SpinEdit1->value();
}

void TEtiketForm::ComboBox1Change()
{
    SpinEdit1->setRange(1, sheet().perSheet());
}

} // namespace forms

#include "IndstillingerForm.h"

#include "core/Guard.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "data/Loans.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace forms {

namespace f = data::fields;

TIndstillingerForm::TIndstillingerForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("IndstillingerForm"));
    setWindowTitle(data::loanText("Settings", QStringLiteral("Indstillinger")));
    Laanetid = new QSpinBox(this);
    Laanetid->setObjectName(QStringLiteral("Laanetid"));
    Laanetid->setRange(1, 3650);
    Laanetid->setValue(data::DM->loanDays());
    VisVedStart = new QCheckBox(data::loanText("ShowAtStart", QStringLiteral("Vis overskredne udlån ved start")), this);
    VisVedStart->setObjectName(QStringLiteral("VisVedStart"));
    VisVedStart->setChecked(data::DM->configInteger(QString::fromLatin1(f::VisOverskredne)) != 0);
    auto* label = new QLabel(data::loanText("LoanDays", QStringLiteral("Udlånsperiode (dage):")), this);
    label->setBuddy(Laanetid); // the spin box takes its label's text as its name
    Laanetid->setAccessibleName(label->text());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(data::loanText("Cancel", QStringLiteral("Annuller")));
    auto* layout = new QFormLayout(this);
    layout->addRow(label, Laanetid);
    layout->addRow(VisVedStart);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        core::guarded([this] {
            store();
            accept();
        });
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TIndstillingerForm::store()
{
    data::DM->storeConfig({{QString::fromLatin1(f::Laanetid), Laanetid->value()},
                           {QString::fromLatin1(f::VisOverskredne), VisVedStart->isChecked() ? 1 : 0}});
}

} // namespace forms

#include "TyperForm.h"

namespace forms {

TTyperForm* TyperForm = nullptr;

TTyperForm::TTyperForm(QWidget* parent, const QSize& screenSize)
    : TLookupForm(LookupMember::Type, parent, screenSize), Tilfj1(addItem()), Slet1(deleteItem())
{
    connectCommands([this] { Tilfj1Click(); }, [this] { Slet1Click(); });
}

TTyperForm::~TTyperForm() = default;

void TTyperForm::Tilfj1Click()
{
    addEntry();
}

void TTyperForm::Slet1Click()
{
    deleteCurrentEntry();
}

void TTyperForm::FormShow()
{
    applyShowTexts();
}

} // namespace forms

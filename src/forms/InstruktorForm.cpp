#include "InstruktorForm.h"

namespace forms {

TInstruktorForm* InstruktorForm = nullptr;

TInstruktorForm::TInstruktorForm(QWidget* parent, const QSize& screenSize)
    : TLookupForm(LookupMember::Director, parent, screenSize), Tilfoj1(addItem()), Slet1(deleteItem())
{
    connectCommands([this] { Tilfoj1Click(); }, [this] { Slet1Click(); });
}

TInstruktorForm::~TInstruktorForm() = default;

void TInstruktorForm::Tilfoj1Click()
{
    addEntry();
}

void TInstruktorForm::Slet1Click()
{
    deleteCurrentEntry();
}

void TInstruktorForm::FormShow()
{
    applyShowTexts();
}

} // namespace forms

#include "OptagerForm.h"

namespace forms {

TOptagerForm* OptagerForm = nullptr;

TOptagerForm::TOptagerForm(QWidget* parent, const QSize& screenSize)
    : TLookupForm(LookupMember::RecordedBy, parent, screenSize), Tilfoj1(addItem()), Slet1(deleteItem())
{
    connectCommands([this] { Tilfoj1Click(); }, [this] { Slet1Click(); });
}

TOptagerForm::~TOptagerForm() = default;

void TOptagerForm::Tilfoj1Click()
{
    addEntry();
}

void TOptagerForm::Slet1Click()
{
    deleteCurrentEntry();
}

void TOptagerForm::FormShow()
{
    applyShowTexts();
}

} // namespace forms

#include "FormSkuespil.h"

namespace forms {

TFormSkuespil* FormSkuespil = nullptr;

TFormSkuespil::TFormSkuespil(QWidget* parent, const QSize& screenSize)
    : TLookupForm(LookupMember::Actor, parent, screenSize), Tilfoj1(addItem()), Slet1(deleteItem())
{
    connectCommands([this] { Tilfoj1Click(); }, [this] { Slet1Click(); });
}

TFormSkuespil::~TFormSkuespil() = default;

void TFormSkuespil::Tilfoj1Click()
{
    addEntry();
}

void TFormSkuespil::Slet1Click()
{
    deleteCurrentEntry();
}

void TFormSkuespil::FormShow()
{
    applyShowTexts();
}

} // namespace forms

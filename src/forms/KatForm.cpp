#include "KatForm.h"

namespace forms {

TKatForm* KatForm = nullptr;

TKatForm::TKatForm(QWidget* parent, const QSize& screenSize)
    : TLookupForm(LookupMember::Category, parent, screenSize), Tilfj1(addItem()), Sletaktuellekategori1(deleteItem())
{
    connectCommands([this] { Tilfj1Click(); }, [this] { Sletaktuellekategori1Click(); });
    FormCreate();
}

TKatForm::~TKatForm() = default;

void TKatForm::Tilfj1Click()
{
    addEntry();
}

void TKatForm::Sletaktuellekategori1Click()
{
    deleteCurrentEntry();
}

void TKatForm::FormShow()
{
    applyShowTexts();
}

void TKatForm::FormCreate()
{
    adaptToScreen();
}

} // namespace forms

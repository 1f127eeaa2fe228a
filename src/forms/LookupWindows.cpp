#include "LookupWindows.h"

#include "FormSkuespil.h"
#include "InstruktorForm.h"
#include "KatForm.h"
#include "OptagerForm.h"
#include "TyperForm.h"

namespace forms {

std::unique_ptr<TLookupForm> createLookupForm(LookupMember member, QWidget* parent, const QSize& screenSize)
{
    switch (member) {
    case LookupMember::Category:
        return std::make_unique<TKatForm>(parent, screenSize);
    case LookupMember::Type:
        return std::make_unique<TTyperForm>(parent, screenSize);
    case LookupMember::Director:
        return std::make_unique<TInstruktorForm>(parent, screenSize);
    case LookupMember::Actor:
        return std::make_unique<TFormSkuespil>(parent, screenSize);
    case LookupMember::RecordedBy:
        return std::make_unique<TOptagerForm>(parent, screenSize);
    }
    return nullptr;
}

void showLookupWindow(LookupMember member, QWidget* parent)
{
    const std::unique_ptr<TLookupForm> window = createLookupForm(member, parent);
    window->exec();
}

} // namespace forms

#include "LookupWindows.h"

#include "FormSkuespil.h"
#include "InstruktorForm.h"
#include "KatForm.h"
#include "OptagerForm.h"
#include "TyperForm.h"
#include "core/GlobalBindings.h"

namespace forms {

namespace {

// The window's global instance points at it while it is shown, and is emptied before it goes.
template <typename Form>
void showModally(Form*& instance, QWidget* parent)
{
    const auto window = std::make_unique<Form>(parent);
    core::GlobalBindings globals;
    globals.set(instance, window.get());
    window->exec();
}

} // namespace

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
    switch (member) {
    case LookupMember::Category:
        return showModally(KatForm, parent);
    case LookupMember::Type:
        return showModally(TyperForm, parent);
    case LookupMember::Director:
        return showModally(InstruktorForm, parent);
    case LookupMember::Actor:
        return showModally(FormSkuespil, parent);
    case LookupMember::RecordedBy:
        return showModally(OptagerForm, parent);
    }
}

} // namespace forms

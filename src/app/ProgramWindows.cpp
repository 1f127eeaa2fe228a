#include "ProgramWindows.h"

#include "HovedForm.h"
#include "JustOneGuard.h"
#include "catalogue/FolderSwap.h"
#include "catalogue/SchemaUpgrade.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/Guard.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "forms/AppContext.h"
#include "forms/ImportCommand.h"
#include "forms/OversigtForm.h"
#include "forms/RegForm.h"
#include "import/ImportTexts.h"
#include "locale/TQLanguageSource.h"

#include <QTimer>
#include <cstdio>

namespace app {

ProgramWindows::ProgramWindows(const QString& programFolder)
{
    if (!programFolder.isEmpty()) {
        guard_ = std::make_unique<TJustOneGuard>(programFolder, nullptr);
        if (guard_->anotherCopyRuns())
            return;
    }
    makeWindows();
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::makeWindows()
{
    hovedForm_ = std::make_unique<THovedForm>();
    if (guard_)
        guard_->setWindow(hovedForm_.get());
    globals_.set(HovedForm, hovedForm_.get());
    // The other windows take the main window's language from the first.
    globals_.set(forms::appContext(), hovedForm_->windowContext());
    forms::followLanguage(*hovedForm_->QLanguageSource1);
    globals_.onRelease([] { import::setTextLookup({}); });
    if (guard_)
        finishInterruptedSwap();

    dm_ = std::make_unique<data::TDM>(core::programPaths().dataDir());
    catalogue::installUpgrade(*dm_, [this](const catalogue::UpgradeSummary& summary) { announceUpgrade(summary); });
    globals_.set(data::DM, dm_.get());
    oversigtForm_ = new forms::TOversigtForm(hovedForm_.get());
    globals_.set(forms::OversigtForm, oversigtForm_);
    regForm_ = new forms::TRegForm(hovedForm_.get());
    globals_.set(forms::RegForm, regForm_);
}

// Under the folder's lock, before Data is opened: a swap a kill cut off is finished, and the
// user learns where the previous catalogue is.
void ProgramWindows::finishInterruptedSwap()
{
    QString message;
    try {
        message = catalogue::interruptedSwapText(catalogue::finishInterruptedSwap(core::programPaths().dataDir()));
    } catch (const core::EError& e) {
        message = e.message();
    }
    if (message.isEmpty())
        return;
    std::fprintf(stderr, "spolarkiv: %s\n", message.toLocal8Bit().constData());
    core::dialogs().message(message);
}

// The upgrade runs while the main window opens the catalogue, before it has read the stored
// language: the user is told once the window is up and speaks it.
void ProgramWindows::announceUpgrade(const catalogue::UpgradeSummary& summary)
{
    QTimer::singleShot(0, hovedForm_.get(), [summary] {
        core::guarded([&] { core::dialogs().information(catalogue::upgradeNotice(summary)); });
    });
}

bool ProgramWindows::anotherCopyRuns() const
{
    return guard_ && guard_->anotherCopyRuns();
}

} // namespace app

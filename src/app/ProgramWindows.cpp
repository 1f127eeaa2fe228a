#include "ProgramWindows.h"

#include "HovedForm.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "forms/OversigtForm.h"
#include "forms/RegForm.h"

namespace app {

ProgramWindows::ProgramWindows(const QString& instanceKey)
    : hovedForm(std::make_unique<THovedForm>(instanceKey))
{
    if (hovedForm->anotherCopyRuns())
        return;
    HovedForm = hovedForm.get();
    dm = std::make_unique<data::TDM>(core::programPaths().dataDir());
    data::DM = dm.get();
    oversigtForm = std::make_unique<forms::TOversigtForm>(hovedForm.get());
    forms::OversigtForm = oversigtForm.get();
    regForm = std::make_unique<forms::TRegForm>(hovedForm.get());
    forms::RegForm = regForm.get();
}

ProgramWindows::~ProgramWindows()
{
    regForm.reset();
    oversigtForm.reset();
    hovedForm.reset();
    dm.reset();
}

} // namespace app

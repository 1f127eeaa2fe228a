#pragma once
// The windows that live for the whole run and the data module between them, made in the
// start-up order (main window, data module, overview, registration window). The program and
// the window tests make them here.
//
// Ownership: this object owns the single-instance guard, the data module and the main window;
// the main window owns the overview and the registration window as their Qt parent (they are
// modal above it). The program's global instances (app::HovedForm, data::DM, forms::OversigtForm,
// forms::RegForm) and the windows' shared context are set here and nowhere else, and are
// emptied before the objects they point at go. User-interface thread only.
#include "core/GlobalBindings.h"

#include <QString>
#include <memory>

namespace catalogue {
struct UpgradeSummary;
}
namespace data {
class TDM;
}
namespace forms {
class TOversigtForm;
class TRegForm;
} // namespace forms

namespace app {

class THovedForm;
class TJustOneGuard;

class ProgramWindows {
public:
    /// programFolder: the folder whose lock the single-instance guard takes (empty: no guard).
    /// When another copy runs, nothing else is made and no global is set.
    explicit ProgramWindows(const QString& programFolder = QString());
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    /// True when another copy runs on the same key: the program must end without showing anything.
    bool anotherCopyRuns() const;

    // The windows and the data module; all null when another copy runs.
    THovedForm* hovedForm() const { return hovedForm_.get(); }
    data::TDM* dm() const { return dm_.get(); }
    forms::TOversigtForm* oversigtForm() const { return oversigtForm_; }
    forms::TRegForm* regForm() const { return regForm_; }

private:
    void makeWindows();
    void finishInterruptedSwap();
    void announceUpgrade(const catalogue::UpgradeSummary& summary);

    // Destroyed in the reverse of this order: the globals are emptied first, then the windows
    // go (the main window with its children), then the data module they show, then the guard.
    std::unique_ptr<TJustOneGuard> guard_;
    std::unique_ptr<data::TDM> dm_;
    std::unique_ptr<THovedForm> hovedForm_;
    forms::TOversigtForm* oversigtForm_ = nullptr; // owned by hovedForm_
    forms::TRegForm* regForm_ = nullptr;           // owned by hovedForm_
    core::GlobalBindings globals_;
};

} // namespace app

#pragma once
// The windows that live for the whole run and the data module between them, made in the
// start-up order (main window, data module, overview, registration window) and destroyed in
// the reverse of it with the data module last. The program and the window tests make them here.
#include <QString>
#include <memory>

namespace data {
class TDM;
}
namespace forms {
class TOversigtForm;
class TRegForm;
} // namespace forms

namespace app {

class THovedForm;

class ProgramWindows {
public:
    /// instanceKey: the single-instance guard's key (empty: no guard). When another copy runs,
    /// only the main window is made. Sets the global instances.
    explicit ProgramWindows(const QString& instanceKey = QString());
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    std::unique_ptr<THovedForm> hovedForm;
    std::unique_ptr<data::TDM> dm;
    std::unique_ptr<forms::TOversigtForm> oversigtForm;
    std::unique_ptr<forms::TRegForm> regForm;
};

} // namespace app

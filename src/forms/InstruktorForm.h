#pragma once
// The director list window (Instruktor.db).
#include "LookupForm.h"

class QAction;

namespace forms {

class TInstruktorForm : public TLookupForm {
    Q_OBJECT
public:
    /// screenSize: the screen to adapt to and centre on; empty: the primary screen.
    explicit TInstruktorForm(QWidget* parent = nullptr, const QSize& screenSize = QSize());
    ~TInstruktorForm() override;

    QAction* Tilfoj1;
    QAction* Slet1;

    /// Asks for a new entry and adds it.
    void Tilfoj1Click();
    /// Asks whether to delete the current entry and deletes it on yes.
    void Slet1Click();
    void FormShow() override;
};

/// The window while showLookupWindow shows it (not owned; set there).
extern TInstruktorForm* InstruktorForm;

} // namespace forms

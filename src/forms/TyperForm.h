#pragma once
// The type list window (Type.db).
#include "LookupForm.h"

class QAction;

namespace forms {

class TTyperForm : public TLookupForm {
    Q_OBJECT
public:
    /// screenSize: the screen to adapt to and centre on; empty: the primary screen.
    explicit TTyperForm(QWidget* parent = nullptr, const QSize& screenSize = QSize());
    ~TTyperForm() override;

    QAction* Tilfj1;
    QAction* Slet1;

    /// Asks for a new entry and adds it.
    void Tilfj1Click();
    /// Asks whether to delete the current entry and deletes it on yes.
    void Slet1Click();
    void FormShow() override;
};

/// The window while showLookupWindow shows it (not owned; set there).
extern TTyperForm* TyperForm;

} // namespace forms

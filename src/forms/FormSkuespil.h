#pragma once
// The actor list window (Skuespiller.DB).
#include "LookupForm.h"

class QAction;

namespace forms {

class TFormSkuespil : public TLookupForm {
    Q_OBJECT
public:
    /// screenSize: the screen to adapt to and centre on; empty: the primary screen.
    explicit TFormSkuespil(QWidget* parent = nullptr, const QSize& screenSize = QSize());
    ~TFormSkuespil() override;

    QAction* Tilfoj1;
    QAction* Slet1;

    /// Asks for a new entry and adds it.
    void Tilfoj1Click();
    /// Asks whether to delete the current entry and deletes it on yes.
    void Slet1Click();
    void FormShow() override;
};

/// The window while showLookupWindow shows it (not owned; set there).
extern TFormSkuespil* FormSkuespil;

} // namespace forms

#pragma once
// The category list window (Kategori.db); it also adapts itself to the screen when created.
#include "LookupForm.h"

class QAction;

namespace forms {

class TKatForm : public TLookupForm {
    Q_OBJECT
public:
    /// screenSize: the screen to adapt to and centre on; empty: the primary screen.
    explicit TKatForm(QWidget* parent = nullptr, const QSize& screenSize = QSize());
    ~TKatForm() override;

    QAction* Tilfj1;
    QAction* Sletaktuellekategori1;

    /// Asks for a new entry and adds it.
    void Tilfj1Click();
    /// Asks whether to delete the current entry and deletes it on yes.
    void Sletaktuellekategori1Click();
    void FormShow() override;
    /// Adapts the window to a screen other than the 800 x 600 it was designed on.
    void FormCreate();
};

/// The window while showLookupWindow shows it (not owned; set there).
extern TKatForm* KatForm;

} // namespace forms

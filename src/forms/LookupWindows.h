#pragma once
// The main window's five lookup list commands (Kategori1, Typer1, Instruktor1, Skuespillere1,
// Optagetaf1): each creates its window, shows it modally and frees it when it closes.
#include "LookupMembers.h"

#include <QSize>
#include <memory>

class QWidget;

namespace forms {

class TLookupForm;

/// The member's window (TKatForm, TTyperForm, ...), not shown. screenSize: the screen it
/// adapts to and is centred on; empty: the primary screen.
std::unique_ptr<TLookupForm> createLookupForm(LookupMember member, QWidget* parent,
                                              const QSize& screenSize = QSize());

/// Creates the member's window with parent as its owner, shows it modally and frees it.
void showLookupWindow(LookupMember member, QWidget* parent);

} // namespace forms

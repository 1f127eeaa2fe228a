#pragma once
// Small pictures for the registration window's buttons, drawn on the fly so no icon files are
// needed.
#include <QIcon>

namespace forms {

/// An open folder: the buttons that fetch a cover picture.
QIcon folderIcon(int size = 16);
/// A case with an arrow leaving it: the loans button.
QIcon lentIcon(int size = 16);

} // namespace forms

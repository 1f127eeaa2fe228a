#pragma once
// The error of the import layer: a file that cannot be read or a catalogue that cannot be
// brought in. The message names the file and is shown as it stands.
#include "core/Errors.h"

namespace import {

class EImportError : public core::EError {
public:
    explicit EImportError(const QString& message) : core::EError(message) {}
};

/// The catalogue holds tapes (or cannot be read) and the user did not choose to replace it.
class ECatalogueNotEmpty : public EImportError {
public:
    explicit ECatalogueNotEmpty(const QString& message) : EImportError(message) {}
};

} // namespace import

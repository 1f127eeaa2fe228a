#pragma once
// The error of the catalogue layer: a backup that cannot be used, a folder that cannot be
// moved or locked. The message names the folder or file and is shown as it stands.
#include "core/Errors.h"

namespace catalogue {

class ECatalogueError : public core::EError {
public:
    explicit ECatalogueError(const QString& message) : core::EError(message) {}
};

} // namespace catalogue

#pragma once
// The desktop program's reason for a file that was not written: a link left
// alone, a target that is no regular file, or the system's reason in the
// program's words.

#include "store/storestatus.h"

#include <QString>

namespace orbelle {

/// The reason status failed, for the second line of a message.
QString writeFailureReason(const StoreStatus& status);

} // namespace orbelle

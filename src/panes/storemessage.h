#pragma once
// The desktop program's wording of a store failure: one message for a
// message box, naming the file and the system's reason.

#include "store/storestatus.h"

#include <QString>

namespace orbelle {

/// The message for a failed store operation; empty for a success.
QString storeMessage(const StoreStatus& status);

/// The message on one line, for the status bar.
QString storeMessageLine(const StoreStatus& status);

} // namespace orbelle

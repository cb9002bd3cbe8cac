#pragma once
// The shared error handlers of the data module: what the user is told when editing,
// deleting or posting a daily card, a vacation or a sick leave fails. The operation
// is then abandoned by the caller (not retried, not raised further).
#include "Error.h"
#include "Message.h"

namespace ewidor {

// Edit or delete refused: a record locked by another user (5035) gets the network
// conflict message, every other error the engine's message with its number.
Message EditErrorMessage(const xb::Error& error);
// Post failed: the engine's message with its number.
Message PostErrorMessage(const xb::Error& error);

} // namespace ewidor

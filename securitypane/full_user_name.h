// The full name of the computer's user, as the printer's job accounting
// shows it. Thread-safe.
#pragma once

#include <string>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// The real user's password-database entry: its GECOS field up to the first
// ",", or the login name when that is empty; "" without an entry.
std::string NSFullUserName();
// The same rule over one entry's fields.
std::string fullUserNameOf(const char* gecos, const char* loginName);

SECURITYPANE_NAMESPACE_END

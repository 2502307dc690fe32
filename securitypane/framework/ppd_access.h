// The PPD as the print session hands it over, and the collections built from
// it: the constraints as an array of dictionaries, and the installable
// options with their current choices. The PPD belongs to the session and
// is never freed here. Main thread only.
#pragma once

#include <cstdint>

#include "pdk/value.h"
#include "securitypane/framework/core_session.h"
#include "securitypane/framework/namespace.h"

struct ppd_file_s;

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

// The session's PPD record: 0 and the record, or the platform status
// (-50 without a session or host, kPMKeyNotFound when the host has none)
// and null.
int32_t GetPPDReference(ZNPDECoreSession* session, ppd_file_s** ppd);
// Nothing: the PPD belongs to the session.
void FreePPDReference(ppd_file_s* ppd);
// One dictionary per constraint in PPD order, with "option1", "choice1",
// "option2", "choice2" (an empty choice is ""); null without constraints.
// A text that is not ASCII leaves its entry out.
pdk::Value CreatePPDConstraintsArray(ppd_file_s* ppd);
// For every option of the group "InstallableOptions": keyword -> the key of
// its marked choice, or its default. Null when the group is missing or empty.
pdk::Value CreatePPDInstallableOptionDict(ppd_file_s* ppd);

SECURITY_FRAMEWORK_NAMESPACE_END

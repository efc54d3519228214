// How a pane says no: a run that cannot succeed is refused with an alert that says why, and the
// reason goes to the diagnostics too.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace molbench {

// True when there is no problem; else shows an alert with the title and the problem as its
// text, and returns false.
bool acceptedUnless(platform::Platform& platform, const std::optional<std::string>& problem,
                    const std::string& title);

}  // namespace molbench

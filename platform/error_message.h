#pragma once

#include <functional>
#include <string>

namespace platform {

/// Receives a Shift-JIS (CP932) message for the user and returns once it has been shown.
using ErrorMessageHandler = std::function<void(const std::string& sjisText)>;

/// Reports a failure to the user: a modal message box in the viewer, a line of UTF-8 on
/// standard error elsewhere. Returns when the user has acknowledged it.
void ShowErrorMessage(const std::string& sjisText);

/// Replaces the handler behind `ShowErrorMessage` (an empty handler restores the standard-error
/// default) and returns the previous one.
ErrorMessageHandler SetErrorMessageHandler(ErrorMessageHandler handler);

}  // namespace platform

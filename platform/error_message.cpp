#include "platform/error_message.h"

#include <utility>

#include "platform/console_output.h"
#include "platform/cp932.h"

namespace platform {

namespace {

ErrorMessageHandler& Handler() {
    static ErrorMessageHandler handler;
    return handler;
}

}  // namespace

void ShowErrorMessage(const std::string& sjisText) {
    if (Handler()) {
        Handler()(sjisText);
        return;
    }
    WriteUtf8(StandardStream::Error, Cp932ToUtf8(sjisText) + "\n");
}

ErrorMessageHandler SetErrorMessageHandler(ErrorMessageHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace platform

#include "platform/error_message.h"

#include <cstdio>
#include <utility>

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
    const std::string line = Cp932ToUtf8(sjisText) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

ErrorMessageHandler SetErrorMessageHandler(ErrorMessageHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace platform

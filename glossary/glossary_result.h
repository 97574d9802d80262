#pragma once

#include <string>

/// What an operation the user asked for (a load, an export) tells its caller: on failure the
/// Shift-JIS message for the user, which the caller shows once; empty on success.
struct GlossaryResult {
    std::string errorMessage;

    bool Ok() const { return errorMessage.empty(); }
};

#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class File;
}

/// Where the exporter's command writes.
struct ExportCommandStreams {
    /// What the output path "-" names; an export written to it closes it at the end.
    platform::File& standardOutput;
    /// Receive UTF-8 text: the help and the version; the usage, failures and reports.
    std::function<void(std::string_view)> printOutput;
    std::function<void(std::string_view)> printError;
};

/// Runs hoshiwa2-export with `args`, its UTF-8 arguments after the program's name: writes the
/// rows of a data file as text, CSV (Shift-JIS or UTF-8) or a dictionary, or prints the help or
/// the version. Returns the exit status: 0 on success, 1 when the data file or the output fails
/// (after one line naming the failure on printError), 2 on a usage error (after the one-line
/// usage).
int RunExportCommand(const std::vector<std::string>& args, const ExportCommandStreams& io);

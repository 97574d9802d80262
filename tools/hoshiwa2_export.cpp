// hoshiwa2-export: writes the rows the viewer would show for a kana row or a search, as the
// viewer's plain-text or CSV export or as a dictionary, without a window.

#include "export/export_command.h"
#include "platform/command_line.h"
#include "platform/console_output.h"
#include "platform/file_access.h"

int main(int argc, char** argv) {
    platform::File standardOutput;
    standardOutput.AttachStandardOutput();
    return RunExportCommand(
        platform::CommandLineArguments(argc, argv),
        {standardOutput,
         [](std::string_view text) { platform::WriteUtf8(platform::StandardStream::Output, text); },
         [](std::string_view text) {
             platform::WriteUtf8(platform::StandardStream::Error, text);
         }});
}

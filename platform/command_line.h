#pragma once

#include <string>
#include <vector>

namespace platform {

/// The program's arguments after its name, in UTF-8, as `main` received them in `argc` and
/// `argv`. POSIX systems pass file names through as bytes, which are UTF-8 there whatever the
/// locale; Windows reads its UTF-16 command line instead of `argv`, whatever the ANSI code page
/// (a lone surrogate becomes U+FFFD).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace platform

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace platform {

/// The operations of `File` that a test may make fail (see `SetFileFaultHook`).
enum class FileOperation { Read, Write, Close };

/// Returns true to make the operation fail as if the file system had reported an error.
using FileFaultHook = bool (*)(FileOperation operation);

/// Installs a fault hook for tests (nullptr removes it); returns the previous hook.
FileFaultHook SetFileFaultHook(FileFaultHook hook);

/// Whether the installed fault hook makes `operation` fail now (false without a hook).
bool Faulted(FileOperation operation);

/// Makes a write into a pipe whose reader has gone fail like any write error instead of ending
/// the process (POSIX's SIGPIPE); Windows' writes fail that way already.
void IgnoreBrokenPipes();

/// A binary file handle owned by one operation; closed (errors ignored) when destroyed.
class File {
  public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    /// Opens an existing regular file for binary reading; other programs may read and write it
    /// meanwhile. False (nothing open) when it is missing, not a regular file (directory, FIFO,
    /// device, socket) or not readable. Never blocks, not even on a FIFO.
    bool OpenForReading(const std::filesystem::path& path);

    /// Creates or truncates `path` for binary writing; other programs may only read it while it
    /// is open. False when it cannot be created (missing folder, a directory, no permission).
    bool OpenForWriting(const std::filesystem::path& path);

    /// Writes to the process's standard output instead of a named file; `Close` flushes nothing
    /// and leaves the stream open.
    void AttachStandardOutput();

    /// Reads up to `size` bytes starting at byte `offset` from the beginning of the file.
    /// Returns the count read, fewer than `size` only at the end of the file (an offset past the
    /// end reads 0), or -1 on a file error.
    std::int64_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size);

    /// Writes all `size` bytes; false on a file error (for example a full disk), after which the
    /// file holds whatever part of them the file system took.
    bool Write(const char* data, std::size_t size);

    /// Closes the file; false when the file system reports an error while closing.
    bool Close();

    /// Closes the file if it is open, ignoring any error.
    void Abort();

    bool IsOpen() const;

  private:
    bool WriteBytes(const char* data, std::size_t size);  // no fault hook

#ifdef _WIN32
    void* handle = nullptr;  // a Win32 HANDLE; nullptr when nothing is open
#else
    int descriptor = -1;
#endif
    bool ownsDescriptor = false;
};

}  // namespace platform

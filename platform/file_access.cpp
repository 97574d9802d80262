#include "platform/file_access.h"

namespace platform {

namespace {

FileFaultHook faultHook = nullptr;

}  // namespace

bool Faulted(FileOperation operation) {
    return faultHook != nullptr && faultHook(operation);
}

FileFaultHook SetFileFaultHook(FileFaultHook hook) {
    FileFaultHook previous = faultHook;
    faultHook = hook;
    return previous;
}

File::~File() {
    Abort();
}

bool File::Write(const char* data, std::size_t size) {
    if (!IsOpen() || Faulted(FileOperation::Write)) {
        return false;
    }
    return WriteBytes(data, size);
}

}  // namespace platform

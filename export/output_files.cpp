#include "export/output_files.h"

#include <system_error>

#include "glossary/glossary_messages.h"
#include "platform/file_access.h"

namespace {

std::filesystem::path PartPath(const std::filesystem::path& path) {
    std::filesystem::path part = path;
    part += ".part";
    return part;
}

void RemoveParts(const std::vector<OutputFile>& files, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        std::error_code ignored;
        std::filesystem::remove(PartPath(files[i].path), ignored);
    }
}

}  // namespace

GlossaryResult WriteOutputFiles(const std::vector<OutputFile>& files) {
    for (const OutputFile& file : files) {
        std::error_code error;
        const auto status = std::filesystem::status(file.path, error);
        if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
            return {kOpenFailedMessage};
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        platform::File out;
        if (!out.OpenForWriting(PartPath(files[i].path))) {
            RemoveParts(files, i);
            return {kOpenFailedMessage};
        }
        if (!out.Write(files[i].bytes.data(), files[i].bytes.size()) || !out.Close()) {
            out.Abort();
            RemoveParts(files, i + 1);
            return {kWriteFailedMessage};
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code error;
        std::filesystem::rename(PartPath(files[i].path), files[i].path, error);
        if (error) {
            for (std::size_t j = i; j < files.size(); ++j) {
                std::error_code ignored;
                std::filesystem::remove(PartPath(files[j].path), ignored);
            }
            return {kWriteFailedMessage};
        }
    }
    return {};
}

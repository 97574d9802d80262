#pragma once

#include <cstdint>

/// One text chunk of the data file: its tag ("SEP", "TTL", "RBY", "TX1" or "TX2") and its byte
/// range [start, end) counted from the beginning of the file.
struct ChunkDescriptor {
    const char* tag;
    std::uint32_t start;
    std::uint32_t end;
};

constexpr int kChunkCount = 1262;

/// The glossary's byte range: chunks are back to back from kGlossaryBegin to kGlossaryEnd.
constexpr std::uint32_t kGlossaryBegin = 9381;
constexpr std::uint32_t kGlossaryEnd = 86812;

/// Longest chunk of the file; every chunk fits the loader's scratch buffers with room to spare.
constexpr std::uint32_t kLongestChunk = 224;

/// The chunks of the data file in file order; every entry ends with its "SEP" chunk.
extern const ChunkDescriptor ChunkIndex[kChunkCount];

#pragma once

#include <cstdint>

/// What a chunk of the data file holds; the data file's own names for them are TTL, RBY, TX1,
/// TX2 and SEP. Every entry ends with its separator.
enum class ChunkTag : std::uint8_t { Title, Reading, Text1, Text2, Separator };

/// One text chunk of the data file: its tag and its byte range [start, end) counted from the
/// beginning of the file.
struct ChunkDescriptor {
    ChunkTag tag;
    std::uint32_t start;
    std::uint32_t end;
};

constexpr int kChunkCount = 1262;

/// The glossary's byte range: chunks are back to back from kGlossaryBegin to kGlossaryEnd.
constexpr std::uint32_t kGlossaryBegin = 9381;
constexpr std::uint32_t kGlossaryEnd = 86812;

/// The chunks of the data file in file order; every entry ends with its separator chunk.
extern const ChunkDescriptor ChunkIndex[kChunkCount];

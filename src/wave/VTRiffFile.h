#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// A four-character code as it is stored in a RIFF file: the first character in the low byte.
constexpr std::uint32_t VTFourCC(const char (&s)[5]) {
    return std::uint32_t(std::uint8_t(s[0])) | std::uint32_t(std::uint8_t(s[1])) << 8 |
           std::uint32_t(std::uint8_t(s[2])) << 16 | std::uint32_t(std::uint8_t(s[3])) << 24;
}

// One chunk found by VTRiffFile::descend. Offsets are from the start of the file.
struct VTRiffChunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0;      // the stated data length, pad byte not included
    std::uint32_t formType = 0;  // "RIFF" and "LIST" chunks only
    std::uint64_t headerOffset = 0;
    std::uint64_t dataOffset = 0;  // first byte after the header (after the form type for RIFF)
};

// The RIFF chunk services the wave code needs: descend into a chunk (the next one, or the next
// with a given id), ascend out of it, and read, write and seek within the file. The file is a
// plain stdio stream, so reads past its end simply come up short; nothing here ever touches
// bytes beyond the end of the file or a parent chunk.
//
// Chunk walking: RIFF pads a chunk of odd length with one byte, but some writers leave the pad
// out. After an odd chunk the walker goes on right after the stated length when a chunk id
// starts there (a pad byte is zero, never part of an id), and after the pad byte otherwise.
class VTRiffFile {
public:
    enum class Mode { Read, Update, Create };  // "rb", "rb+", "wb+"
    enum class Find { Next, Chunk, Riff };

    VTRiffFile() = default;
    ~VTRiffFile();
    VTRiffFile(const VTRiffFile&) = delete;
    VTRiffFile& operator=(const VTRiffFile&) = delete;

    bool open(const std::string& fileName, Mode mode);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Searches from the current position. With a parent the search stays inside its data;
    // without one it runs to the end of the file. Find::Chunk and Find::Riff look for `id`
    // (for Find::Riff the form type, with "RIFF" as the chunk id); Find::Next takes the chunk
    // at hand. On success the stream is at the chunk's data (after the form type for a RIFF
    // chunk). On failure the stream may be left anywhere.
    bool descend(VTRiffChunk& chunk, const VTRiffChunk* parent, Find find, std::uint32_t id = 0);
    // Moves to the first byte after the chunk, pad byte included when there is one.
    bool ascend(const VTRiffChunk& chunk);

    // Reads up to n bytes; gives the count read.
    std::size_t read(void* buffer, std::size_t n);
    bool readExactly(void* buffer, std::size_t n) { return read(buffer, n) == n; }
    bool readU16(std::uint16_t& v);
    bool readU32(std::uint32_t& v);
    bool write(const void* buffer, std::size_t n);
    bool writeU16(std::uint16_t v);
    bool writeU32(std::uint32_t v);

    bool seek(std::uint64_t offset);
    std::uint64_t tell() const;
    std::uint64_t fileSize() const;  // measured anew: the file may have grown
    bool flush();

private:
    bool looksLikeChunkId(std::uint64_t offset, std::uint64_t end);
    std::uint64_t nextChunkOffset(const VTRiffChunk& chunk, std::uint64_t end);

    std::FILE* file_ = nullptr;
};

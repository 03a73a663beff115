#include "wave/VTRiffFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kRiff = VTFourCC("RIFF");
constexpr std::uint32_t kList = VTFourCC("LIST");

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

}  // namespace

VTRiffFile::~VTRiffFile() { close(); }

bool VTRiffFile::open(const std::string& fileName, Mode mode) {
    close();
    const char* m = mode == Mode::Read ? "rb" : mode == Mode::Update ? "rb+" : "wb+";
    file_ = std::fopen(fileName.c_str(), m);
    return file_ != nullptr;
}

void VTRiffFile::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
}

std::size_t VTRiffFile::read(void* buffer, std::size_t n) {
    if (file_ == nullptr || n == 0) return 0;
    return std::fread(buffer, 1, n, file_);
}

bool VTRiffFile::readU16(std::uint16_t& v) {
    std::uint8_t b[2];
    if (!readExactly(b, 2)) return false;
    v = std::uint16_t(b[0] | b[1] << 8);
    return true;
}

bool VTRiffFile::readU32(std::uint32_t& v) {
    std::uint8_t b[4];
    if (!readExactly(b, 4)) return false;
    v = le32(b);
    return true;
}

bool VTRiffFile::write(const void* buffer, std::size_t n) {
    if (file_ == nullptr) return false;
    return n == 0 || std::fwrite(buffer, 1, n, file_) == n;
}

bool VTRiffFile::writeU16(std::uint16_t v) {
    std::uint8_t b[2] = {std::uint8_t(v), std::uint8_t(v >> 8)};
    return write(b, 2);
}

bool VTRiffFile::writeU32(std::uint32_t v) {
    std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                         std::uint8_t(v >> 24)};
    return write(b, 4);
}

bool VTRiffFile::seek(std::uint64_t offset) {
    if (file_ == nullptr || offset > std::uint64_t(INT64_MAX)) return false;
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::uint64_t VTRiffFile::tell() const {
    if (file_ == nullptr) return 0;
    off_t p = ftello(file_);
    return p < 0 ? 0 : std::uint64_t(p);
}

std::uint64_t VTRiffFile::fileSize() const {
    if (file_ == nullptr) return 0;
    off_t here = ftello(file_);
    if (here < 0 || fseeko(file_, 0, SEEK_END) != 0) return 0;
    off_t end = ftello(file_);
    fseeko(file_, here, SEEK_SET);
    return end < 0 ? 0 : std::uint64_t(end);
}

bool VTRiffFile::flush() { return file_ != nullptr && std::fflush(file_) == 0; }

bool VTRiffFile::looksLikeChunkId(std::uint64_t offset, std::uint64_t end) {
    if (offset + 8 > end || !seek(offset)) return false;
    std::uint8_t id[4];
    if (!readExactly(id, 4)) return false;
    return std::all_of(id, id + 4, [](std::uint8_t c) { return c >= 0x20 && c <= 0x7e; });
}

std::uint64_t VTRiffFile::nextChunkOffset(const VTRiffChunk& chunk, std::uint64_t end) {
    // The size of a RIFF or LIST chunk counts its form type, so this holds for every chunk.
    std::uint64_t unpadded = chunk.headerOffset + 8 + chunk.size;
    if ((chunk.size & 1) == 0) return unpadded;
    // A pad byte is zero, never the first character of a chunk id.
    if (looksLikeChunkId(unpadded, end)) return unpadded;
    return unpadded + 1;
}

bool VTRiffFile::descend(VTRiffChunk& chunk, const VTRiffChunk* parent, Find find,
                         std::uint32_t id) {
    if (file_ == nullptr) return false;
    std::uint64_t end = fileSize();
    if (parent != nullptr) end = std::min(end, parent->headerOffset + 8 + parent->size);
    std::uint64_t offset = tell();
    // Every step moves on by at least a chunk header, so the walk ends.
    while (offset + 8 <= end) {
        if (!seek(offset)) return false;
        std::uint8_t header[8];
        if (!readExactly(header, 8)) return false;
        VTRiffChunk c;
        c.id = le32(header);
        c.size = le32(header + 4);
        c.headerOffset = offset;
        c.dataOffset = offset + 8;
        bool isForm = c.id == kRiff || c.id == kList;
        if (isForm) {
            if (offset + 12 > end || !readU32(c.formType)) return false;
            c.dataOffset = offset + 12;
        }
        bool match = find == Find::Next || (find == Find::Chunk && c.id == id) ||
                     (find == Find::Riff && c.id == kRiff && c.formType == id);
        if (match) {
            chunk = c;
            return seek(c.dataOffset);
        }
        offset = nextChunkOffset(c, end);
    }
    return false;
}

bool VTRiffFile::ascend(const VTRiffChunk& chunk) {
    if (file_ == nullptr) return false;
    return seek(nextChunkOffset(chunk, fileSize()));
}

#pragma once

#include <cstdint>
#include <vector>

class SGDynSigContext;
class VTIOContraptionPool;

// Drives the patch off-line one chunk at a time and keeps what the main output sends as
// interleaved 16-bit stereo frames. The staging buffer is made once, with the renderer; a
// chunk allocates nothing.
class VTExportRenderer {
public:
    static constexpr std::uint32_t kChunkFrames = 131072;
    static constexpr std::uint32_t kBlocksPerChunk = 512;

    VTExportRenderer(SGDynSigContext& context, VTIOContraptionPool& pool);

    // Runs 512 blocks and fills the staging buffer.
    void renderChunk();
    const std::int16_t* samples() const { return staging_.data(); }

private:
    void feedInputs();
    void takeOutput(std::int16_t* frames);

    SGDynSigContext& context_;
    VTIOContraptionPool& pool_;
    std::vector<std::int16_t> staging_;
};

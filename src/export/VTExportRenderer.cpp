#include "export/VTExportRenderer.h"

#include "audio/VTIOContraptionPool.h"
#include "audio/VTSoundIn.h"
#include "signal/SGDynSigContext.h"
#include "wave/VTSampleConversion.h"

static_assert(VTExportRenderer::kBlocksPerChunk * SGBlockSize == VTExportRenderer::kChunkFrames);

VTExportRenderer::VTExportRenderer(SGDynSigContext& context, VTIOContraptionPool& pool)
    : context_(context), pool_(pool), staging_(std::size_t(kChunkFrames) * 2, 0) {}

void VTExportRenderer::renderChunk() {
    std::int16_t* frames = staging_.data();
    for (std::uint32_t b = 0; b < kBlocksPerChunk; ++b, frames += SGBlockSize * 2) {
        feedInputs();
        context_.processBlock();
        takeOutput(frames);
    }
}

// There are no devices off-line: the sound input plays its file or gives silence, and the
// auxiliary inputs are silent.
void VTExportRenderer::feedInputs() {
    if (VTSoundIn* in = pool_.soundIn()) {
        float peakLeft = 0.0f, peakRight = 0.0f;
        in->blockInputStep(nullptr, 0, 2, peakLeft, peakRight);
    }
    for (int k = 1; k < VTIOContraptionPool::kSlotCount; ++k) {
        VTIOContraptionPool::InputSignals aux = pool_.inputSignals(k);
        if (!aux) continue;
        aux.left->fill(0.0f);
        aux.right->fill(0.0f);
    }
}

void VTExportRenderer::takeOutput(std::int16_t* frames) {
    VTIOContraptionPool::OutputSignals out = pool_.outputSignals(0);
    if (!out) {
        for (std::uint32_t i = 0; i < SGBlockSize * 2; ++i) frames[i] = 0;
        return;
    }
    const SGSignal& left = *out.left;
    const SGSignal& right = *out.right;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        frames[2 * i] = VTSampleConversion::floatToSample16(left[i]);
        frames[2 * i + 1] = VTSampleConversion::floatToSample16(right[i]);
    }
}

#pragma once

#include <array>
#include <string>

#include "ui/KDControl.h"

enum KDMeterOrientation { trHorizontal, trVertical };

// A segmented level meter, one segment per doubling of the level, so that the top segment
// lights only at full scale. Up to 16 channels side by side.
class KDMeter : public KDControl {
public:
    static constexpr int kMaxSegments = 16;
    static constexpr int kMaxChannels = 16;

    KDMeter(int width = 20, int height = 100) : KDControl(width, height) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        caption_ = std::move(caption);
        Invalidate();
    }

    float Values(int channel) const;
    // Ignored for a channel the meter does not have. Repaints only the segments that change.
    void SetValues(int channel, float level);
    void ClearLevels();

    KDMeterOrientation Orientation() const { return orientation_; }
    void SetOrientation(KDMeterOrientation o);
    int SegmentCount() const { return segmentCount_; }
    void SetSegmentCount(int n);  // limited to 1..16
    int ChannelCount() const { return channelCount_; }
    void SetChannelCount(int n);  // limited to 1..16

    int LitCount(int channel) const;
    // The lit count for a level with n segments.
    static int LitSegments(float level, int n);
    // The lit colour of segment i (0 lowest) of n.
    static KDColor SegmentColor(int i, int n);
    static KDColor DarkColor(int i, int n);
    // Where segment i of a channel lies.
    KDRect SegmentRect(int channel, int i) const;

    void Paint(KDCanvas& c) override;

protected:
    void Resized(int, int) override { Rebuild(); }

private:
    std::string caption_;
    void Rebuild();
    void PaintCaption(KDCanvas& c, const KDRect& clip, KDColor color);

    std::array<float, kMaxChannels> levels_{};
    std::array<int, kMaxChannels> lit_{};
    KDMeterOrientation orientation_ = trVertical;
    int segmentCount_ = 10;
    int channelCount_ = 1;
};

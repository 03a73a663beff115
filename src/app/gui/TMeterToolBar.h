#pragma once

#include <QToolBar>
#include <array>
#include <string>

#include "ui/KDMeter.h"
#include "ui/qt/KDQtHosted.h"

class QAction;
class QMenu;

// A toolbar of the eight level meters of one direction ("SoundIn", "AuxIn1" ... or "SoundOut",
// "AuxOut1" ...), with the pop-up menu that shows and hides them. Docked at the top or the
// bottom the meters lie horizontally (77 by 22); at a side or floating they stand (22 by 77).
class TMeterToolBar : public QToolBar {
public:
    static constexpr int kMeterCount = 8;
    static constexpr int kLong = 77;
    static constexpr int kShort = 22;

    // `first` is "SoundIn" or "SoundOut", `aux` "AuxIn" or "AuxOut".
    TMeterToolBar(const QString& title, const std::string& first, const std::string& aux,
                  QWidget* parent = nullptr);

    KDMeter& Meter(int i) { return meters_[static_cast<std::size_t>(i)]->control(); }
    QWidget& MeterWidget(int i) { return *meters_[static_cast<std::size_t>(i)]; }

    bool MeterShown(int i) const;
    void SetMeterShown(int i, bool shown);
    // Bit i: meter i shown.
    int ShownMask() const;
    void SetShownMask(int mask);

    bool Vertical() const { return vertical_; }
    void SetVertical(bool vertical);

    // Two values per meter, channel 0 then channel 1.
    void SetLevels(const float* values);
    void ClearLevels();

    QMenu& Popup() { return *popup_; }

private:
    void TickPopup();

    std::array<KDQtHosted<KDMeter>*, kMeterCount> meters_{};
    std::array<QAction*, kMeterCount> meterActions_{};
    std::array<QAction*, kMeterCount> popupItems_{};
    QMenu* popup_;
    bool vertical_ = false;
};

#pragma once

#include <string>

// Turns a property value into the short text the user sees (value hints, modulation ranges).
// Units objects are stateless: one process-wide object per class, reached through instance().
class SGPropertyUnits {
public:
    virtual ~SGPropertyUnits() = default;
    // A text at least as wide as any value of the range will be, to size a hint window once.
    virtual std::string sampleText(double minimum, double maximum) const = 0;
    virtual std::string format(double value) const = 0;
};

// Defines the usual singleton accessor for a units class.
#define SG_UNITS_CLASS(Name)                                              \
    class Name : public SGPropertyUnits {                                 \
    public:                                                               \
        static const Name* instance();                                    \
        std::string sampleText(double minimum, double maximum) const override; \
        std::string format(double value) const override;                 \
    }

SG_UNITS_CLASS(SGAbstractUnits);
SG_UNITS_CLASS(SGVolumeUnits);
SG_UNITS_CLASS(SGFrequencyUnits);
SG_UNITS_CLASS(SGGainUnits);
SG_UNITS_CLASS(SGDecibelUnits);
SG_UNITS_CLASS(SGFractionUnits);
SG_UNITS_CLASS(SGPanningUnits);
SG_UNITS_CLASS(SGTranspositionUnits);
SG_UNITS_CLASS(SGTimeMillisecondsUnits);
SG_UNITS_CLASS(SGTimeSecondsUnits);

#undef SG_UNITS_CLASS

#include "library/mixers/VTGainMixer.h"

#include <string>

#include "params/SGPropertyUnits.h"

VTGainMixer::VTGainMixer(int channels, int inlets, int outlets)
    : SGSignalProcessor(inlets, outlets), channels_(channels) {}

SGPropertyTable& VTGainMixer::bindTable(SGStaticPropertyTable::ClassInfo& info) {
    info.buildOnce([this](auto& add) {
        add(table_, masterGain, "MasterGain", SGGainUnits::instance(), 0.0, 1.0);
        for (int k = 0; k < channels_; ++k)
            add(table_, gains[k], "Gain_" + std::to_string(k), SGGainUnits::instance(), 0.0, 1.0);
    });
    return table_.bind(info);
}

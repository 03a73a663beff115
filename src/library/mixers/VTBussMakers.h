#pragma once

#include <memory>
#include <string>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionMaker.h"
#include "library/mixers/VTMonoBuss.h"
#include "library/mixers/VTStereoBuss.h"

// The bus makers build their processor with the inlet count of their name; busses have no
// editor. "M<N>Buss" in "Busses" with help topic 1018, "S<N>Buss" with 1019.
template <int N>
class VTMonoBussMaker : public VTContraptionMaker {
public:
    VTMonoBussMaker()
        : VTContraptionMaker("M" + std::to_string(N) + "Buss", "Busses", 1018, Naming::Numbered,
                             Editor::None) {}

    std::unique_ptr<VTContraption> create(std::string_view requestedName) override {
        if (!hasFreeName()) return nullptr;
        return std::make_unique<VTContraption>(*this, requestedName,
                                               std::make_unique<VTMonoBuss>(N));
    }
};

template <int N>
class VTStereoBussMaker : public VTContraptionMaker {
public:
    VTStereoBussMaker()
        : VTContraptionMaker("S" + std::to_string(N) + "Buss", "Busses", 1019, Naming::Numbered,
                             Editor::None) {}

    std::unique_ptr<VTContraption> create(std::string_view requestedName) override {
        if (!hasFreeName()) return nullptr;
        return std::make_unique<VTContraption>(*this, requestedName,
                                               std::make_unique<VTStereoBuss>(N));
    }
};

using TMonoBuss_2_Maker = VTMonoBussMaker<2>;
using TMonoBuss_3_Maker = VTMonoBussMaker<3>;
using TMonoBuss_4_Maker = VTMonoBussMaker<4>;
using TMonoBuss_6_Maker = VTMonoBussMaker<6>;
using TMonoBuss_8_Maker = VTMonoBussMaker<8>;
using TMonoBuss_12_Maker = VTMonoBussMaker<12>;
using TStereoBuss_2_Maker = VTStereoBussMaker<2>;
using TStereoBuss_3_Maker = VTStereoBussMaker<3>;
using TStereoBuss_4_Maker = VTStereoBussMaker<4>;
using TStereoBuss_6_Maker = VTStereoBussMaker<6>;
using TStereoBuss_8_Maker = VTStereoBussMaker<8>;
using TStereoBuss_12_Maker = VTStereoBussMaker<12>;

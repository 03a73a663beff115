#pragma once

#include <cstdint>

#include "params/SGValueProperty.h"

class SGIntProperty : public SGValueProperty<std::int32_t, SGProperty::IntType, SGIntProperty> {
public:
    explicit SGIntProperty(std::int32_t initial = 0) : SGValueProperty(initial) {}
    void read(std::istream& in) override;
    void write(std::ostream& out) const override;
};

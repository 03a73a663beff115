#pragma once

#include "params/SGValueProperty.h"

class SGDoubleProperty : public SGValueProperty<double, SGProperty::DoubleType, SGDoubleProperty> {
public:
    explicit SGDoubleProperty(double initial = 0.0) : SGValueProperty(initial) {}
    void read(std::istream& in) override;
    void write(std::ostream& out) const override;
};

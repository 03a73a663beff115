#pragma once

#include "params/SGValueProperty.h"

class SGBoolProperty : public SGValueProperty<bool, SGProperty::BoolType, SGBoolProperty> {
public:
    explicit SGBoolProperty(bool initial = false) : SGValueProperty(initial) {}
    void read(std::istream& in) override;
    void write(std::ostream& out) const override;
};

// What table look-ups give back when an index or name matches nothing: writing to it does no
// harm and nobody reads it for meaning.
extern SGBoolProperty SGNullProperty;

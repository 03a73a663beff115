#pragma once

#include <map>
#include <memory>
#include <vector>

#include "params/SGPropertyTable.h"

// A table whose properties are decided at run time (a hosted plug-in's parameters). The
// description belongs to whoever builds it, so every instance of one plug-in shares it; the
// table owns its property objects.
class SGDynamicPropertyTable : public SGPropertyTable {
public:
    class ClassInfo {
    public:
        using PropertyInfo = SGPropertyInfo;
        void addProperty(std::string name, const SGPropertyUnits* units, double minimum, double maximum);

        // False until whoever builds the description has filled it.
        bool built = false;
        std::vector<std::unique_ptr<PropertyInfo>> infos;
        std::map<std::string, int> byName;
    };

    explicit SGDynamicPropertyTable(const ClassInfo* info = nullptr) : info_(info) {}

    void setClassInfo(const ClassInfo* info) { info_ = info; }
    void addProperty(std::unique_ptr<SGProperty> property) { properties_.push_back(std::move(property)); }

    SGProperty& property(int index) override;
    SGProperty& findProperty(const std::string& name) override;
    // The number of property objects held (the description may list more while it is filled).
    int count() const override;
    int indexOf(const std::string& name) const override;
    const SGPropertyInfo& info(int index) const override;

private:
    const ClassInfo* info_;
    std::vector<std::unique_ptr<SGProperty>> properties_;
};

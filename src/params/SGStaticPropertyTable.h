#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "params/SGPropertyTable.h"

// The table a processor embeds. It holds only a pointer to its class's description; a property
// is found at the table's own address plus the description's offset, so one description built
// once serves every instance of the class.
//
//   SGPropertyTable& VTMyProcessor::propertyTable() {
//       static SGStaticPropertyTable::ClassInfo info;
//       info.buildOnce([&](auto& add) {
//           add(table_, amplitude_, "Amplitude", SGVolumeUnits::instance(), 0.0, 1.0);
//           ...
//       });
//       return table_.bind(info);
//   }
class SGStaticPropertyTable : public SGPropertyTable {
public:
    class ClassInfo {
    public:
        class PropertyInfo : public SGPropertyInfo {
        public:
            PropertyInfo(std::string name, const SGPropertyUnits* units, double minimum, double maximum,
                         std::ptrdiff_t offset)
                : SGPropertyInfo(std::move(name), units, minimum, maximum), offset(offset) {}
            std::ptrdiff_t offset;
        };

        void addProperty(const SGStaticPropertyTable& table, const SGProperty& property, std::string name,
                         const SGPropertyUnits* units, double minimum, double maximum);

        // Runs build(adder) the first time only, from whichever thread gets there first; the
        // adder has addProperty's arguments.
        template <typename Build>
        void buildOnce(Build&& build) {
            std::call_once(once_, [&] {
                auto add = [this](const SGStaticPropertyTable& table, const SGProperty& property,
                                  std::string name, const SGPropertyUnits* units, double minimum,
                                  double maximum) {
                    addProperty(table, property, std::move(name), units, minimum, maximum);
                };
                build(add);
                built = true;
            });
        }

        bool built = false;
        std::vector<std::unique_ptr<PropertyInfo>> infos;
        std::map<std::string, int> byName;

    private:
        std::once_flag once_;
    };

    SGStaticPropertyTable() = default;
    // A table belongs to its processor; copying a processor never copies its table binding.
    SGStaticPropertyTable(const SGStaticPropertyTable&) : SGPropertyTable() {}
    SGStaticPropertyTable& operator=(const SGStaticPropertyTable&) { return *this; }

    SGStaticPropertyTable& bind(const ClassInfo& info) {
        info_ = &info;
        return *this;
    }

    SGProperty& property(int index) override;
    SGProperty& findProperty(const std::string& name) override;
    int count() const override;
    int indexOf(const std::string& name) const override;
    const SGPropertyInfo& info(int index) const override;

    // The shared table of processors that declare no properties.
    static SGStaticPropertyTable& empty();

private:
    const ClassInfo* info_ = nullptr;
};

#include "contraptions/VTPropControllerTable.h"

#include "contraptions/VTContraption.h"
#include "contraptions/VTPropertyControllerFactory.h"
#include "params/SGProperty.h"
#include "params/SGTextIO.h"

VTPropControllerTable::~VTPropControllerTable() { clear(); }

void VTPropControllerTable::clear() {
    // Newest first, the preset controller last, mirroring the order they could have been made.
    while (!perProperty_.empty()) perProperty_.pop_back();
    listMade_ = false;
    preset_.reset();
}

VTPropertyController* VTPropControllerTable::presetController() {
    if (!preset_) {
        if (VTPropertyControllerFactory* factory = VTPropertyControllerFactory::current())
            preset_ = factory->createPresetController(*this);
    }
    return preset_.get();
}

bool VTPropControllerTable::canHaveController(int i) const {
    SGPropertyTable& properties = contraption_->processor().propertyTable();
    if (i < 0 || i >= properties.count()) return false;
    switch (properties.property(i).typeCode()) {
        case SGProperty::BoolType:
        case SGProperty::IntType:
        case SGProperty::DoubleType:
        case SGProperty::RangeType:
            break;
        default:
            return false;
    }
    const SGPropertyInfo& info = properties.info(i);
    return info.minimum != info.maximum;
}

VTPropertyController* VTPropControllerTable::existingController(int i) const {
    if (i < 0 || i >= static_cast<int>(perProperty_.size())) return nullptr;
    return perProperty_[static_cast<std::size_t>(i)].get();
}

VTPropertyController* VTPropControllerTable::controllerFor(int i) {
    if (VTPropertyController* existing = existingController(i)) return existing;
    VTPropertyControllerFactory* factory = VTPropertyControllerFactory::current();
    if (factory == nullptr || !canHaveController(i)) return nullptr;
    // A parameter added after the list was made (a plug-in's) has no slot and no controller.
    if (listMade_ && i >= static_cast<int>(perProperty_.size())) return nullptr;
    auto controller = factory->createPropertyController(*this, i);
    if (!controller) return nullptr;
    if (!listMade_) {
        perProperty_.resize(
            static_cast<std::size_t>(contraption_->processor().propertyTable().count()));
        listMade_ = true;
    }
    perProperty_[static_cast<std::size_t>(i)] = std::move(controller);
    return perProperty_[static_cast<std::size_t>(i)].get();
}

void VTPropControllerTable::write(std::ostream& out) const {
    if (preset_)
        preset_->writeController(out);
    else
        out << ". ";
    if (!listMade_) {
        out << '*';
        return;
    }
    for (const auto& controller : perProperty_) {
        if (controller) {
            controller->writeController(out);
            out << ' ';
        } else {
            out << ". ";
        }
    }
}

namespace {

// Takes the next non-space character when it is `mark`; otherwise leaves it in the stream.
// False at the end of the input, with the stream failed.
bool takeMark(std::istream& in, char mark, bool& taken) {
    char c = 0;
    if (!SGTextIO::readChar(in, c)) {
        SGTextIO::fail(in);
        return false;
    }
    taken = c == mark;
    if (!taken) in.unget();
    return true;
}

}  // namespace

void VTPropControllerTable::read(std::istream& in) {
    clear();
    bool taken = false;
    if (!takeMark(in, '.', taken)) return;
    if (!taken) {
        VTPropertyController* preset = presetController();
        if (preset == nullptr) {
            SGTextIO::fail(in);
            return;
        }
        preset->readController(in);
        if (in.fail()) return;
    }
    if (!takeMark(in, '*', taken) || taken) return;
    const int count = contraption_->processor().propertyTable().count();
    for (int i = 0; i < count; ++i) {
        if (!takeMark(in, '.', taken)) return;
        if (taken) continue;
        VTPropertyController* controller = controllerFor(i);
        if (controller == nullptr) {
            // The writer never puts a controller where none can be: the rest is not ours to
            // guess at.
            SGTextIO::fail(in);
            return;
        }
        controller->readController(in);
        if (in.fail()) return;
    }
}

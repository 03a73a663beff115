#include "VTExamplePatch.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "contraptions/VTContraption.h"
#include "document/VTDocument.h"
#include "params/SGCStringProperty.h"
#include "params/SGPropertyTable.h"
#include "params/SGSignalProcessor.h"

namespace {

[[noreturn]] void stop(const std::string& why) {
    std::fprintf(stderr, "make-examples: %s\n", why.c_str());
    std::exit(1);
}

}  // namespace

VTExamplePatch::VTExamplePatch(VTDocument& document, double tempo) : document_(document) {
    document_.Reset();
    document_.SetTempo(tempo);
}

VTContraption* VTExamplePatch::add(const std::string& maker, int x, int y) {
    for (int i = 0; i < document_.MakerCount(); ++i) {
        if (document_.GetMakerInfo(i)->name != maker) continue;
        VTContraption* c = document_.AddContraption(i);
        if (!c) stop("cannot create another " + maker);
        c->setNodePosition(x, y);
        return c;
    }
    stop("no contraption kind " + maker);
}

VTExamplePatch& VTExamplePatch::set(VTContraption* c, const std::string& property,
                                    const std::string& text) {
    SGPropertyTable& table = c->processor().propertyTable();
    if (table.indexOf(property) < 0) stop(c->makerName() + " has no parameter " + property);
    SGProperty& p = table.findProperty(property);
    if (auto* s = dynamic_cast<SGCStringProperty*>(&p)) {
        s->setValue(text.c_str());
    } else {
        std::istringstream in(text);
        p.read(in);
        if (in.fail()) stop("bad value " + text + " for " + property);
    }
    return *this;
}

void VTExamplePatch::wire(VTContraption* from, int outlet, VTContraption* to, int inlet) {
    if (!document_.Connect(from, outlet, to, inlet))
        stop("cannot wire " + from->name() + " to " + to->name());
}

void VTExamplePatch::wireStereo(VTContraption* from, VTContraption* to, int firstInlet) {
    wire(from, 0, to, firstInlet);
    wire(from, 1, to, firstInlet + 1);
}

void VTExamplePatch::save(const std::string& path) {
    if (!document_.WriteFile(path)) stop("cannot write " + path);
    std::printf("wrote %s\n", path.c_str());
}

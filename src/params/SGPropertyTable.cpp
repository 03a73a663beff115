#include "params/SGPropertyTable.h"

#include "params/SGBraceList.h"

void SGPropertyTable::read(std::istream& in) {
    SGBraceList::read(in, count(), [this](int k, std::istream& s) { property(k).read(s); });
}

void SGPropertyTable::write(std::ostream& out) {
    SGBraceList::write(out, count(), [this](int k, std::ostream& s) { property(k).write(s); });
}

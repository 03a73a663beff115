#include "contraptions/VTContraption.h"

#include <limits>
#include <sstream>

#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "params/SGTextIO.h"
#include "platform/KDTextClipboard.h"

VTContraption::VTContraption(VTContraptionMaker& maker, std::string_view requestedName,
                             std::unique_ptr<SGSignalProcessor> processor)
    : VTContraption(maker, requestedName, nullptr, std::move(processor)) {}

VTContraption::VTContraption(VTContraptionMaker& maker, std::string_view requestedName,
                             SGSignalProcessor& processor)
    : VTContraption(maker, requestedName, &processor, nullptr) {}

VTContraption::VTContraption(VTContraptionMaker& maker, std::string_view requestedName,
                             SGSignalProcessor* borrowed, std::unique_ptr<SGSignalProcessor> owned)
    : maker_(&maker),
      processor_(owned ? owned.get() : borrowed),
      ownedProcessor_(std::move(owned)) {
    processor_->owner = this;
    SGPropertyTable& table = processor_->propertyTable();
    presets_.reserve(kPresetCount);
    for (int k = 0; k < kPresetCount; ++k) presets_.push_back(std::make_unique<SGPreset>(table));
    staleControls_ = std::make_unique<VTStaleControls>(table.count());
    formState_ = std::make_unique<TContraptionFormState>(*this);
    controllers_ = std::make_unique<VTPropControllerTable>(*this);
    name_ = maker_->makeInstanceName(*this, requestedName);
    VTContraptionFactory::instance().registerContraption(*this);
}

VTContraption::~VTContraption() {
    VTContraptionFactory::instance().unregisterContraption(*this);
    maker_->releaseInstanceName(*this);
    name_.clear();
    formState_.reset();
    controllers_.reset();
    presets_.clear();
    // A borrowed processor outlives us: it must not point back at a contraption that is gone.
    if (processor_->owner == this) processor_->owner = nullptr;
    ownedProcessor_.reset();
}

const std::string& VTContraption::makerName() const { return maker_->name(); }

bool VTContraption::hasEditor() const { return maker_->hasEditor(); }

void VTContraption::showHelp() const { maker_->showHelp(); }

int VTContraption::connectionCount() const {
    int count = 0;
    for (int i = 0; i < processor_->inletCount(); ++i)
        count += static_cast<int>(processor_->inlet(i).refs.size());
    return count;
}

VTContraption::Connection VTContraption::connection(int k) const {
    if (k < 0) return {};
    for (int i = 0; i < processor_->inletCount(); ++i) {
        const auto& refs = processor_->inlet(i).refs;
        if (k < static_cast<int>(refs.size())) {
            const auto& ref = refs[static_cast<std::size_t>(k)];
            return {i, static_cast<VTContraption*>(ref.pipe->owner), ref.outlet};
        }
        k -= static_cast<int>(refs.size());
    }
    return {};
}

bool VTContraption::isPresetSet(int k) const { return isValidSlot(k) && preset(k).isSet(); }

namespace {

// Holds the preset slots against recalls on other threads while the user-interface thread
// changes them.
class SlotChange {
public:
    explicit SlotChange(VTPresetGate& gate) : gate_(gate) { gate_.beginChange(); }
    ~SlotChange() { gate_.endChange(); }
    SlotChange(const SlotChange&) = delete;
    SlotChange& operator=(const SlotChange&) = delete;

private:
    VTPresetGate& gate_;
};

}  // namespace

void VTContraption::storePreset(int k) {
    if (!isValidSlot(k)) return;
    {
        SlotChange change(presetGate_);
        preset(k).store();
    }
    currentPreset_.store(k, std::memory_order_relaxed);
    VTContraptionFactory::instance().notifyModified();
}

void VTContraption::recallPreset(int k) {
    if (!isValidSlot(k) || k == currentPreset()) return;
    if (!presetGate_.tryEnter()) return;
    preset(k).recall();
    presetGate_.leave();
    currentPreset_.store(k, std::memory_order_relaxed);
    VTContraptionFactory::instance().notifyModified();
}

void VTContraption::recallStoredPreset(int k) {
    if (!isValidSlot(k) || k == currentPreset()) return;
    if (!presetGate_.tryEnter()) return;
    const bool set = preset(k).isSet();
    if (set) preset(k).recall();
    presetGate_.leave();
    if (!set) return;
    currentPreset_.store(k, std::memory_order_relaxed);
    VTContraptionFactory::instance().notifyModified();
}

void VTContraption::clearPreset(int k) {
    if (!isValidSlot(k)) return;
    {
        SlotChange change(presetGate_);
        preset(k).clear();
    }
    // Only the slot that was current stops being current.
    int expected = k;
    currentPreset_.compare_exchange_strong(expected, -1, std::memory_order_relaxed);
    VTContraptionFactory::instance().notifyModified();
}

void VTContraption::forgetCurrentPreset() {
    currentPreset_.store(-1, std::memory_order_relaxed);
    VTContraptionFactory::instance().notifyModified();
}

bool VTContraption::isPresetText(std::string_view text, std::string_view makerName) {
    constexpr std::string_view prefix = "preset:";
    return text.size() > makerName.size() + 8 && text.substr(0, prefix.size()) == prefix &&
           text.substr(8, makerName.size()) == makerName;
}

void VTContraption::copyPreset(int k) {
    if (!isValidSlot(k)) return;
    std::ostringstream text;
    text << "preset: " << maker_->name() << ' ';
    preset(k).write(text);
    KDTextClipboard::current().setText(text.str());
}

void VTContraption::cutPreset(int k) {
    if (!isValidSlot(k)) return;
    copyPreset(k);
    clearPreset(k);
}

bool VTContraption::clipboardHasPreset() const {
    const KDTextClipboard& clipboard = KDTextClipboard::current();
    return clipboard.hasText() && isPresetText(clipboard.text(kPresetTestLength), maker_->name());
}

void VTContraption::pastePreset(int k) {
    if (!isValidSlot(k)) return;
    const KDTextClipboard& clipboard = KDTextClipboard::current();
    if (!clipboard.hasText()) return;
    const std::string text = clipboard.text();
    if (!isPresetText(text, maker_->name())) return;
    const std::size_t space = text.find(' ', 8);
    const std::string presetText =
        space == std::string::npos ? std::string() : text.substr(space + 1);
    // A damaged text must not leave the slot half overwritten: it is tried on a scratch preset
    // first, and only a text that reads cleanly is read into the slot.
    SGPreset scratch(processor_->propertyTable());
    std::istringstream trial(presetText);
    scratch.read(trial);
    if (!trial.fail()) {
        SlotChange change(presetGate_);
        std::istringstream in(presetText);
        preset(k).read(in);
    }
    int expected = k;
    currentPreset_.compare_exchange_strong(expected, -1, std::memory_order_relaxed);
    VTContraptionFactory::instance().notifyModified();
}

void VTContraption::writeEntry(std::ostream& out) const {
    out << maker_->name() << '\t' << name_ << '\t';
    processor_->writeProperties(out);
    out << '\t' << "{ ";
    for (int k = 0; k < kPresetCount; ++k) {
        if (k > 0) out << ", ";
        preset(k).write(out);
    }
    out << " }"
        << "{ }";
    out << "{ " << std::to_string(formState_->nodeX) << ' ' << std::to_string(formState_->nodeY)
        << ' ' << (formState_->hasEditorWindow() ? 'T' : 'F') << " Z Z "
        << std::to_string(formState_->editorTop()) << ' '
        << std::to_string(formState_->editorLeft()) << " Z Z Z Z "
        << " }" << '\t';
}

void VTContraption::readEntry(std::istream& in) {
    processor_->readProperties(in);
    // The running state has to match the values just loaded.
    processor_->reset();
    currentPreset_.store(-1, std::memory_order_relaxed);
    {
        SlotChange change(presetGate_);
        readPresetList(in);
    }
    // The placeholder block "{ }" holds nothing; whatever stands between its braces is skipped.
    char c = 0;
    if (!SGTextIO::readChar(in, c)) return;
    if (c != '{' || !SGTextIO::skipToClosingBrace(in)) {
        SGTextIO::fail(in);
        return;
    }
    readFormState(in);
}

void VTContraption::readPresetList(std::istream& in) {
    char c = 0;
    if (!SGTextIO::readChar(in, c)) return;
    if (c != '{') {
        SGTextIO::fail(in);
        return;
    }
    if (!SGTextIO::readChar(in, c)) return;
    if (c == '}') return;
    in.unget();
    for (int k = 0; k < kPresetCount; ++k) {
        preset(k).read(in);
        if (!in.good() || !SGTextIO::readChar(in, c)) return;
        // A shorter list ends early and leaves the remaining slots as they were.
        if (c == '}') return;
        if (c != ',') {
            SGTextIO::fail(in);
            return;
        }
    }
}

namespace {

bool readInt32(std::istream& in, std::int32_t& value) {
    long long v = 0;
    if (!SGTextIO::readInteger(in, v) || v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max()) {
        SGTextIO::fail(in);
        return false;
    }
    value = static_cast<std::int32_t>(v);
    return true;
}

}  // namespace

void VTContraption::readFormState(std::istream& in) {
    char c = 0;
    if (!SGTextIO::readChar(in, c)) return;
    if (c != '{') {
        SGTextIO::fail(in);
        return;
    }
    std::int32_t x = 0, y = 0, top = 0, left = 0;
    char editorOpen = 'F';
    if (!readInt32(in, x) || !readInt32(in, y)) return;
    if (!SGTextIO::readChar(in, editorOpen) || !SGTextIO::readChar(in, c) ||
        !SGTextIO::readChar(in, c)) {
        SGTextIO::fail(in);
        return;
    }
    if (!readInt32(in, top) || !readInt32(in, left)) return;
    for (int i = 0; i < 5 && SGTextIO::readChar(in, c); ++i) {
    }
    formState_->nodeX = x;
    formState_->nodeY = y;
    formState_->setEditorPosition(left, top);
    if (editorOpen == 'T') showEditor();
}

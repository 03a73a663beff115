#pragma once

#include <atomic>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "contraptions/TContraptionFormState.h"
#include "contraptions/VTPresetGate.h"
#include "contraptions/VTPropControllerTable.h"
#include "contraptions/VTStaleControls.h"
#include "params/SGPreset.h"
#include "params/SGSignalProcessor.h"

class VTContraptionMaker;

// What the user places on the patcher: one processor with its instance name, its twenty preset
// slots, its controller table and the state of its editor window. Contraptions are made by
// their maker, registered with the factory for their whole life, and used on the user-interface
// thread only; the audio thread sees nothing but their processors.
class VTContraption {
public:
    static constexpr int kPresetCount = 20;

    // One connection into an inlet: the source is the contraption whose processor feeds it
    // (none when that pipe belongs to no contraption).
    struct Connection {
        int inlet = -1;
        VTContraption* source = nullptr;
        int outlet = -1;
    };

    // A contraption that owns its processor and destroys it with itself.
    VTContraption(VTContraptionMaker& maker, std::string_view requestedName,
                  std::unique_ptr<SGSignalProcessor> processor);
    // A contraption around a processor that belongs to someone else (the device I/O pool).
    VTContraption(VTContraptionMaker& maker, std::string_view requestedName,
                  SGSignalProcessor& processor);
    virtual ~VTContraption();
    VTContraption(const VTContraption&) = delete;
    VTContraption& operator=(const VTContraption&) = delete;

    const std::string& name() const { return name_; }
    const std::string& makerName() const;
    VTContraptionMaker& maker() const { return *maker_; }
    SGSignalProcessor& processor() const { return *processor_; }
    bool ownsProcessor() const { return ownedProcessor_ != nullptr; }
    int inletCount() const { return processor_->inletCount(); }
    int outletCount() const { return processor_->outletCount(); }
    VTPropControllerTable& controllers() const { return *controllers_; }
    // The parameters whose editor controls a MIDI controller has made stale; the editor's
    // refresh timer redraws them.
    VTStaleControls& staleControls() const { return *staleControls_; }
    TContraptionFormState& formState() const { return *formState_; }

    // The connections into all inlets together: inlets in index order, each inlet's
    // connections in the order they were made. An index out of range gives an empty connection.
    int connectionCount() const;
    Connection connection(int k) const;

    bool hasEditor() const;
    void showEditor() { formState_->showEditor(); }
    void showHelp() const;

    std::pair<std::int32_t, std::int32_t> nodePosition() const {
        return {formState_->nodeX, formState_->nodeY};
    }
    void setNodePosition(std::int32_t x, std::int32_t y) {
        formState_->nodeX = x;
        formState_->nodeY = y;
    }

    // Preset slots 0 ... 19; out-of-range slots are never set and changing them does nothing.
    // The current preset is the slot last stored or recalled (-1 for none): recalling it again
    // does nothing until an edit in the editor window forgets it. Every change of a slot or of
    // the current preset marks the document modified.
    SGPreset& preset(int k) const { return *presets_[static_cast<std::size_t>(k)]; }
    bool isPresetSet(int k) const;
    void storePreset(int k);
    // Also runs on the MIDI thread (program changes, without the editor window): a recall that
    // meets a change of the slots on the user-interface thread is dropped rather than waiting.
    void recallPreset(int k);
    // The preset controller's recall: slot k only when it holds a preset.
    void recallStoredPreset(int k);
    void clearPreset(int k);
    std::int32_t currentPreset() const { return currentPreset_.load(std::memory_order_relaxed); }
    void forgetCurrentPreset();

    // One slot through the text clipboard, as "preset: " + maker name + " " + the slot's text.
    void copyPreset(int k);
    void cutPreset(int k);
    // Reads the clipboard's preset into slot k when the text is a preset of this kind; a text
    // that does not parse leaves the slot as it was. The slot stops being the current preset
    // and the document is marked modified either way, unless the clipboard holds no preset of
    // this kind, which changes nothing.
    void pastePreset(int k);
    // Whether the clipboard offers a preset of this kind, judged by its first 62 characters.
    bool clipboardHasPreset() const;
    // The clipboard test: longer than the prefix and the maker's name, beginning with
    // "preset:" and with the maker's name at offset 8 (the name only needs to begin there).
    static bool isPresetText(std::string_view text, std::string_view makerName);
    static constexpr std::size_t kPresetTestLength = 62;

    // The contraption's part of a document line (without the leading tab and the line end).
    void writeEntry(std::ostream& out) const;
    // Reads what follows the maker and instance names of an entry. A malformed entry marks the
    // stream failed and leaves what follows the fault as it was.
    void readEntry(std::istream& in);

    // The patcher node that shows the contraption; kept for the user interface, not owned.
    void* node = nullptr;

private:
    VTContraption(VTContraptionMaker& maker, std::string_view requestedName,
                  SGSignalProcessor* borrowed, std::unique_ptr<SGSignalProcessor> owned);
    static bool isValidSlot(int k) { return k >= 0 && k < kPresetCount; }
    void readPresetList(std::istream& in);
    void readFormState(std::istream& in);

    VTContraptionMaker* maker_;
    SGSignalProcessor* processor_;
    std::unique_ptr<SGSignalProcessor> ownedProcessor_;
    std::atomic<std::int32_t> currentPreset_{-1};
    mutable VTPresetGate presetGate_;
    std::vector<std::unique_ptr<SGPreset>> presets_;
    // Declared before the controller table so it outlives every controller that marks it.
    std::unique_ptr<VTStaleControls> staleControls_;
    std::unique_ptr<TContraptionFormState> formState_;
    std::unique_ptr<VTPropControllerTable> controllers_;
    std::string name_;
};

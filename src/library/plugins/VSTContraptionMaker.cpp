#include "library/plugins/VSTContraptionMaker.h"

#include <dlfcn.h>

#include <fenv.h>

#include "contraptions/VTContraption.h"
#include "library/plugins/VSTHostCallback.h"
#include "library/plugins/VSTPluginText.h"
#include "library/plugins/VSTSignalProcessor.h"
#include "params/SGPropertyUnits.h"
#include "platform/VTMessageBox.h"
#include "signal/SGConstants.h"

namespace {

constexpr std::size_t kNameLimit = 8;

void showStep(const std::string& text, const std::string& caption = {}) {
    VTMessageBox::show(text, caption, VTMessageButtons::Ok, VTMessageIcon::None);
}

bool isWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::string VSTContraptionMaker::makerNameFor(std::string_view fileName) {
    constexpr std::string_view suffix = ".so";
    if (fileName.size() >= suffix.size() &&
        fileName.substr(fileName.size() - suffix.size()) == suffix)
        fileName.remove_suffix(suffix.size());
    std::string name(fileName);
    for (char& c : name)
        if (isWhitespace(c)) c = '_';
    return name;
}

VSTContraptionMaker::VSTContraptionMaker(std::string name, std::string path)
    : VTContraptionMaker(std::move(name), kCategory, kHelpTopic, Naming::Numbered, Editor::Present),
      path_(std::move(path)) {}

VSTContraptionMaker::~VSTContraptionMaker() {
    if (library_ != nullptr) dlclose(library_);
}

std::unique_ptr<VTContraption> VSTContraptionMaker::create(std::string_view requestedName) {
    if (!hasFreeName()) return nullptr;
    // Plug-ins are written for hosts that never trap on floating-point faults; keep every
    // exception masked for the rest of the run.
    fedisableexcept(FE_ALL_EXCEPT);
    VSTABI::Effect* effect = nullptr;
    if (!loadLibrary() || !findEntryPoint() || (effect = instantiate()) == nullptr ||
        !passesChecks(*effect)) {
        showFailure();
        return nullptr;
    }
    open(*effect);
    if (!classInfo_.built) describeParameters(*effect);
    auto processor = std::make_unique<VSTSignalProcessor>(*effect, classInfo_);
    return std::make_unique<VTContraption>(*this, requestedName, std::move(processor));
}

bool VSTContraptionMaker::loadLibrary() {
    if (library_ != nullptr) return true;
    library_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) showStep(path_, "bad dll handle");
    return library_ != nullptr;
}

bool VSTContraptionMaker::findEntryPoint() {
    // A failed look-up is not kept, so the next attempt looks again.
    if (entryPoint_ != nullptr) return true;
    for (const char* name : kEntryPointNames) {
        if (void* symbol = dlsym(library_, name)) {
            entryPoint_ = reinterpret_cast<VSTABI::EntryPoint>(symbol);
            return true;
        }
    }
    showStep("main didn't return a ptr");
    return false;
}

VSTABI::Effect* VSTContraptionMaker::instantiate() {
    VSTHostCallback::setCurrentPluginId(0);
    VSTABI::Effect* effect = entryPoint_(&VSTHostCallback::dispatch);
    if (effect == nullptr || effect->dispatcher == nullptr) {
        showStep("no dispatcher");
        return nullptr;
    }
    VSTHostCallback::setCurrentPluginId(effect->uniqueID);
    // The descriptor of a live contraption again: it is neither closed nor touched.
    if (VSTSignalProcessor::isWrapped(effect)) return nullptr;
    // The field is the host's; nothing is wrapped yet, whatever the plug-in left there.
    effect->hostReserved1 = 0;
    return effect;
}

bool VSTContraptionMaker::passesChecks(VSTABI::Effect& effect) {
    if (effect.magic != VSTABI::kEffectMagic) {
        showStep("bad magic");
        effect.dispatcher(&effect, VSTABI::effClose, 0, 0, nullptr, 0.0f);
        return false;
    }
    // Plug-ins written after the first version of the interface no longer know this request
    // and answer 0 like any unknown one; only a different answer marks a foreign descriptor.
    std::intptr_t answer = effect.dispatcher(&effect, VSTABI::effIdentify, 0, 0, nullptr, 0.0f);
    if (answer != VSTABI::kIdentifyAnswer && answer != 0) {
        showStep("bad id");
        effect.dispatcher(&effect, VSTABI::effClose, 0, 0, nullptr, 0.0f);
        return false;
    }
    return true;
}

void VSTContraptionMaker::open(VSTABI::Effect& effect) {
    effect.dispatcher(&effect, VSTABI::effOpen, 0, 0, nullptr, 0.0f);
    effect.dispatcher(&effect, VSTABI::effSetSampleRate, 0, 0, nullptr,
                      static_cast<float>(SGSampleRate));
    effect.dispatcher(&effect, VSTABI::effSetBlockSize, 0, static_cast<std::intptr_t>(SGBlockSize),
                      nullptr, 0.0f);
    effect.dispatcher(&effect, VSTABI::effSetProgram, 0, 0, nullptr, 0.0f);
    effect.dispatcher(&effect, VSTABI::effMainsChanged, 0, 1, nullptr, 0.0f);
}

void VSTContraptionMaker::describeParameters(VSTABI::Effect& effect) {
    for (std::int32_t i = 0; i < effect.numParams; ++i) {
        std::string name = VSTPluginText::read(effect, VSTABI::effGetParamName, i, kNameLimit);
        classInfo_.addProperty(std::move(name), SGAbstractUnits::instance(), 0.0, 1.0);
    }
    classInfo_.built = true;
}

void VSTContraptionMaker::showFailure() {
    VTMessageBox::show("An error occured while creating a VST Plugin contraption.",
                       "Unsupported VST Plugin", VTMessageButtons::Ok, VTMessageIcon::Warning);
}

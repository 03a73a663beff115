#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class VTContraption;
class VTContraptionMaker;

// The process-wide register of every maker, in registration order, and of every live
// contraption, in creation order; each is also found by its exact name. Used on the
// user-interface thread only. The factory owns neither: makers live for the whole run and the
// document destroys its contraptions.
class VTContraptionFactory {
public:
    static VTContraptionFactory& instance();

    VTContraptionFactory(const VTContraptionFactory&) = delete;
    VTContraptionFactory& operator=(const VTContraptionFactory&) = delete;

    // Appends the maker, maps its name (the first maker of a name keeps it) and gives back its
    // position, which the maker also records as its index.
    int registerMaker(VTContraptionMaker& maker);
    int makerCount() const { return static_cast<int>(makers_.size()); }
    // Valid indices only.
    VTContraptionMaker& maker(int index) const { return *makers_[static_cast<std::size_t>(index)]; }
    VTContraptionMaker* findMaker(std::string_view name) const;

    // The maker's contraption for the requested instance name (may be empty); none when no maker
    // of that name is registered or the maker refuses.
    std::unique_ptr<VTContraption> createContraption(std::string_view makerName,
                                                     std::string_view requestedName);

    int contraptionCount() const { return static_cast<int>(contraptions_.size()); }
    VTContraption& contraption(int index) const {
        return *contraptions_[static_cast<std::size_t>(index)];
    }
    // Of two live contraptions with the same name (possible only from hand-edited text), the
    // older one is found.
    VTContraption* findContraption(std::string_view instanceName) const;

    // Called by the contraption's constructor and destructor.
    void registerContraption(VTContraption& contraption);
    void unregisterContraption(VTContraption& contraption);

    // The document's "modified" notice: contraptions and their windows report every change
    // that belongs to the document through it.
    void setModifiedListener(std::function<void()> listener) { modified_ = std::move(listener); }
    void notifyModified() const {
        if (modified_) modified_();
    }

private:
    VTContraptionFactory() = default;

    std::vector<VTContraptionMaker*> makers_;
    std::map<std::string, VTContraptionMaker*, std::less<>> makersByName_;
    std::vector<VTContraption*> contraptions_;
    std::map<std::string, VTContraption*, std::less<>> contraptionsByName_;
    std::function<void()> modified_;
};

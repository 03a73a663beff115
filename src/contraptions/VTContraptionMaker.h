#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "contraptions/VTEditorWindow.h"
#include "contraptions/VTInstanceNumberer.h"

class VTContraption;

// Knows how to build one kind of contraption: the kind's name (as the "New" menu shows it and
// documents store it), its menu category, its help topic and its own pool of instance numbers.
// One object per kind lives for the whole run; the maker table registers them with the factory
// in their fixed order.
class VTContraptionMaker {
public:
    enum class Naming { Numbered, Unnumbered };
    enum class Editor { None, Present };

    VTContraptionMaker(std::string name, std::string category, std::int32_t helpContext,
                       Naming naming = Naming::Numbered, Editor editor = Editor::Present);
    virtual ~VTContraptionMaker() = default;
    VTContraptionMaker(const VTContraptionMaker&) = delete;
    VTContraptionMaker& operator=(const VTContraptionMaker&) = delete;

    // Whether the "New" menu may offer the kind now. A numbered kind whose 1024 instance numbers
    // are all in use is not offered.
    virtual bool isAvailable() const { return hasFreeName(); }
    // Builds processor and contraption; none when the kind refuses (no free instance number, a
    // device slot in use). The requested name may be empty.
    virtual std::unique_ptr<VTContraption> create(std::string_view requestedName) = 0;
    // The kind's editor window, built by the installed editor factory; none for kinds without
    // an editor and when no user interface is present.
    virtual std::unique_ptr<VTEditorWindow> createEditor(VTContraption& contraption);

    // The instance name for a new contraption of this kind, taking its number from the pool.
    std::string makeInstanceName(const VTContraption& contraption, std::string_view requestedName);
    // Gives the number of a contraption's name back to the pool.
    void releaseInstanceName(const VTContraption& contraption);

    // Opens the kind's help topic; nothing when the kind has none.
    void showHelp() const;

    std::int32_t index() const { return index_; }
    void setIndex(std::int32_t index) { index_ = index; }
    const std::string& name() const { return name_; }
    const std::string& category() const { return category_; }
    std::int32_t helpContext() const { return helpContext_; }
    bool unnumbered() const { return unnumbered_; }
    bool hasEditor() const { return hasEditor_; }
    VTInstanceNumberer& numberer() { return numberer_; }
    const VTInstanceNumberer& numberer() const { return numberer_; }

    // Whether a contraption can get a name now: always for unnumbered kinds, otherwise while a
    // number is free.
    bool hasFreeName() const { return unnumbered_ || !numberer_.isFull(); }

    // The number of a name that ends in "_" and one to nine digits; 0 otherwise.
    static int trailingNumber(std::string_view name);

private:
    std::int32_t index_ = -1;
    std::string name_;
    std::string category_;
    VTInstanceNumberer numberer_;
    std::int32_t helpContext_;
    bool unnumbered_;
    bool hasEditor_;
};

#pragma once

#include <string>
#include <string_view>
#include <vector>

class KDPatcherNode;
class KDTextClipboard;
class VTDocument;
class VTPatchView;

// Contraptions through the text clipboard, as a reduced document: a "contraptions:" section
// whose node positions are relative to the copied selection's top-left corner, a
// "connections:" section with the wires among the copied contraptions only, and "end".
//
// The paste origin is where the next paste puts that corner: a copy sets it to the copied
// corner and moves it on by 25 pixels right and down, a cut sets it without moving it, and
// every paste moves it on, so repeated pastes fan out instead of piling up.
class VTPatchClipboard {
public:
    static constexpr int kStep = 25;
    static constexpr std::size_t kTestLength = 62;

    explicit VTPatchClipboard(VTPatchView& view) : view_(view) {}

    // At least 14 characters beginning with "contraptions:".
    static bool IsPatchText(std::string_view text);
    // Whether the clipboard holds patch text (judged by its first 62 characters).
    static bool ClipboardHasPatch(const KDTextClipboard& clipboard);

    // The selected nodes as patch text; empty when no node is selected. Sets the paste
    // origin to the selection's top-left corner.
    std::string SelectionText();
    // Copy: the selection to the clipboard, the origin moved on. Nothing without a selection.
    void Copy(KDTextClipboard& clipboard);
    // Cut: the selection to the clipboard, then deleted from the patch; the origin stays on
    // the cut nodes, so a paste brings them back where they were.
    void Cut(KDTextClipboard& clipboard);
    // Creates what the text describes (new names where the stored ones are taken), wires the
    // copies among themselves, selects them alone and moves the origin on. Gives the nodes
    // made.
    std::vector<KDPatcherNode*> PasteText(VTDocument& document, const std::string& text);
    std::vector<KDPatcherNode*> Paste(VTDocument& document, const KDTextClipboard& clipboard);

    int OriginX() const { return originX_; }
    int OriginY() const { return originY_; }
    void SetOrigin(int x, int y) {
        originX_ = x;
        originY_ = y;
    }

private:
    void MoveOn() {
        originX_ += kStep;
        originY_ += kStep;
    }

    VTPatchView& view_;
    int originX_ = kStep;
    int originY_ = kStep;
};

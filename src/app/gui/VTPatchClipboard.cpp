#include "app/gui/VTPatchClipboard.h"

#include <algorithm>
#include <istream>
#include <map>
#include <sstream>

#include "app/gui/VTPatchView.h"
#include "contraptions/VTContraption.h"
#include "contraptions/VTNameToken.h"
#include "document/VTDocument.h"
#include "platform/KDTextClipboard.h"
#include "ui/KDPatcherConnection.h"
#include "ui/KDPatcherNode.h"
#include "ui/KDPatcherPanel.h"

namespace {

constexpr std::string_view kContraptions = "contraptions:";

// A section line: at most 99 characters are kept, the rest of the line is dropped.
bool readSectionLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 99) line.resize(99);
    return true;
}

void skipRestOfLine(std::istream& in) {
    in.clear(in.rdstate() & ~std::ios::failbit);
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

bool nextIsEntry(std::istream& in) {
    if (in.peek() != '\t') return false;
    in.get();
    return true;
}

}  // namespace

bool VTPatchClipboard::IsPatchText(std::string_view text) {
    text = text.substr(0, kTestLength);
    return text.size() >= kContraptions.size() + 1 &&
           text.substr(0, kContraptions.size()) == kContraptions;
}

bool VTPatchClipboard::ClipboardHasPatch(const KDTextClipboard& clipboard) {
    return clipboard.hasText() && IsPatchText(clipboard.text(kTestLength));
}

std::string VTPatchClipboard::SelectionText() {
    KDPatcherPanel& panel = view_.Panel();
    if (panel.SelectedNodeCount() == 0) return {};
    int left = 99999, top = 99999;
    for (int i = 0; i < panel.SelectedNodeCount(); ++i) {
        left = std::min(left, panel.SelectedNode(i)->Left());
        top = std::min(top, panel.SelectedNode(i)->Top());
    }
    SetOrigin(left, top);

    std::ostringstream out;
    out << "contraptions:\n";
    for (int i = 0; i < panel.SelectedNodeCount(); ++i) {
        KDPatcherNode* node = panel.SelectedNode(i);
        VTContraption* c = VTPatchView::ContraptionOf(node);
        if (!c) continue;
        c->setNodePosition(node->Left() - left, node->Top() - top);
        out << '\t';
        c->writeEntry(out);
        out << '\n';
    }
    out << "connections:\n";
    for (int i = 0; i < panel.ConnectionCount(); ++i) {
        KDPatcherConnection* link = panel.Connections(i);
        if (!link->Source()->Selected() || !link->Destination()->Selected()) continue;
        VTContraption* source = VTPatchView::ContraptionOf(link->Source());
        VTContraption* destination = VTPatchView::ContraptionOf(link->Destination());
        if (!source || !destination) continue;
        out << '\t' << source->name() << '\t' << link->OutletIndex() << '\t' << destination->name()
            << '\t' << link->InletIndex() << '\n';
    }
    out << "end\n";
    return out.str();
}

void VTPatchClipboard::Copy(KDTextClipboard& clipboard) {
    const std::string text = SelectionText();
    if (text.empty()) return;
    clipboard.setText(text);
    MoveOn();
}

void VTPatchClipboard::Cut(KDTextClipboard& clipboard) {
    const std::string text = SelectionText();
    if (text.empty()) return;
    clipboard.setText(text);
    view_.Panel().DeleteSelection();
}

std::vector<KDPatcherNode*> VTPatchClipboard::Paste(VTDocument& document,
                                                    const KDTextClipboard& clipboard) {
    if (!ClipboardHasPatch(clipboard)) return {};
    return PasteText(document, clipboard.text());
}

std::vector<KDPatcherNode*> VTPatchClipboard::PasteText(VTDocument& document,
                                                        const std::string& text) {
    std::vector<KDPatcherNode*> made;
    if (!IsPatchText(text)) return made;
    std::istringstream in(text);
    std::map<std::string, VTContraption*, std::less<>> byStoredName;
    std::string line;
    // Text that ends before its "end" line (from another program) just ends the paste.
    while (readSectionLine(in, line) && line != "end") {
        if (line == "contraptions:") {
            while (nextIsEntry(in)) {
                std::string maker, name;
                if (VTNameToken::read(in, maker) && VTNameToken::read(in, name)) {
                    VTContraption* c = document.CreateFromEntry(maker, name, in);
                    if (c) {
                        byStoredName[name] = c;
                        const auto [x, y] = c->nodePosition();
                        made.push_back(view_.AddNode(*c, originX_ + x, originY_ + y));
                    }
                }
                skipRestOfLine(in);
            }
        } else if (line == "connections:") {
            while (nextIsEntry(in)) {
                std::string from, to;
                unsigned outlet = 0, inlet = 0;
                if (VTNameToken::read(in, from) && (in >> outlet) && VTNameToken::read(in, to) &&
                    (in >> inlet)) {
                    auto source = byStoredName.find(from);
                    auto destination = byStoredName.find(to);
                    if (source != byStoredName.end() && destination != byStoredName.end() &&
                        document.Connect(source->second, int(outlet), destination->second,
                                         int(inlet))) {
                        view_.Panel().AddConnection(
                            static_cast<KDPatcherNode*>(source->second->node), int(outlet),
                            static_cast<KDPatcherNode*>(destination->second->node), int(inlet));
                    }
                }
                skipRestOfLine(in);
            }
        } else {
            while (nextIsEntry(in)) skipRestOfLine(in);
        }
        if (!in) break;
    }
    KDPatcherPanel& panel = view_.Panel();
    panel.ClearSelection();
    for (KDPatcherNode* node : made) panel.AddToSelection(node);
    MoveOn();
    return made;
}

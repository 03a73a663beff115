#include "document/VTDocument.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "contraptions/VTNameToken.h"
#include "contraptions/VTPropertyControllerFactory.h"
#include "control/VTMidiControllerFactory.h"
#include "document/KDAtomicFile.h"
#include "document/KDMessageDocumentDialogs.h"
#include "document/KDTemporaryFile.h"
#include "document/VTDocumentHeader.h"
#include "document/VTDocumentLines.h"
#include "document/VTDocumentMessages.h"
#include "document/VTVersion05Converter.h"
#include "params/SGTextIO.h"
#include "platform/VTMessageBox.h"

namespace {

VTDocument*& instanceSlot() {
    static VTDocument* document = nullptr;
    return document;
}

VTContraptionFactory& factory() { return VTContraptionFactory::instance(); }

void showMessage(const char* text, const char* caption) {
    VTMessageBox::show(text, caption, VTMessageButtons::Ok, VTMessageIcon::None);
}

// Text streams of documents never follow the user's locale: "." and no digit grouping.
template <typename Stream>
Stream& classic(Stream& stream) {
    stream.imbue(std::locale::classic());
    return stream;
}

// A stream over one entry's text.
class EntryStream : public std::istringstream {
public:
    explicit EntryStream(const std::string& text) : std::istringstream(text) { classic(*this); }
};

bool readIndex(std::istream& in, int& index) {
    long long v = 0;
    if (!SGTextIO::readInteger(in, v) || v < 0 || v > INT_MAX) return false;
    index = static_cast<int>(v);
    return true;
}

}  // namespace

std::unique_ptr<VTDocument> VTDocument::Create(std::unique_ptr<VTDocAppData> appData,
                                               std::unique_ptr<KDDocumentDialogs> dialogs) {
    if (instanceSlot()) return nullptr;
    if (!appData) appData = std::make_unique<VTDocAppData>();
    if (!dialogs) dialogs = std::make_unique<KDMessageDocumentDialogs>();
    // Without a controller factory the controller tables of a document could not be read, and
    // saving it again would drop them.
    if (!VTPropertyControllerFactory::current()) VTMidiControllerFactory::install();
    return std::unique_ptr<VTDocument>(new VTDocument(std::move(appData), std::move(dialogs)));
}

VTDocument* VTDocument::Instance() { return instanceSlot(); }

VTDocument::VTDocument(std::unique_ptr<VTDocAppData> appData,
                       std::unique_ptr<KDDocumentDialogs> dialogs)
    : KDDocument(std::move(dialogs)), appData_(std::move(appData)) {
    instanceSlot() = this;
    transport_.resetForNewDocument();
    factory().setModifiedListener([this] { SetModified(); });
}

VTDocument::~VTDocument() {
    factory().setModifiedListener(nullptr);
    DestroyAllContraptions();
    instanceSlot() = nullptr;
    // The context, then the application data go with the members. The device I/O pool and the
    // contraption factory are the program's and last to its end.
}

// ---------------------------------------------------------------------------------------------
// Emptying

void VTDocument::DestroyAllContraptions() {
    // One contraption per hold of the lock, so the audio thread is never kept waiting long.
    while (factory().contraptionCount() > 0) {
        VTContraption* newest = &factory().contraption(factory().contraptionCount() - 1);
        std::lock_guard<SGMutex> hold(context_.mutex());
        delete newest;
    }
}

void VTDocument::Reset() {
    DestroyAllContraptions();
    transport_.resetForNewDocument();
}

// ---------------------------------------------------------------------------------------------
// Edit operations

VTContraption* VTDocument::AddContraption(int makerIndex) {
    if (makerIndex < 0 || makerIndex >= factory().makerCount()) return nullptr;
    VTContraption* created = nullptr;
    {
        std::lock_guard<SGMutex> hold(context_.mutex());
        std::unique_ptr<VTContraption> contraption = factory().maker(makerIndex).create({});
        if (!contraption) return nullptr;
        contraption->processor().setContext(&context_);
        created = contraption.release();
    }
    SetModified();
    return created;
}

VTContraption* VTDocument::CreateFromEntry(std::string_view makerName,
                                           std::string_view requestedName, std::istream& entry) {
    std::lock_guard<SGMutex> hold(context_.mutex());
    std::unique_ptr<VTContraption> contraption =
        factory().createContraption(makerName, requestedName);
    if (!contraption) return nullptr;
    contraption->processor().setContext(&context_);
    contraption->readEntry(entry);
    return contraption.release();
}

void VTDocument::DeleteContraption(VTContraption* contraption) {
    if (!contraption) return;
    {
        std::lock_guard<SGMutex> hold(context_.mutex());
        delete contraption;
    }
    SetModified();
}

bool VTDocument::Connect(VTContraption* source, int outlet, VTContraption* destination, int inlet) {
    if (!source || !destination) return false;
    bool made = false;
    {
        std::lock_guard<SGMutex> hold(context_.mutex());
        made = context_.connect(&source->processor(), outlet, &destination->processor(), inlet);
    }
    if (made) SetModified();
    return made;
}

bool VTDocument::Disconnect(VTContraption* source, int outlet, VTContraption* destination,
                            int inlet) {
    if (!source || !destination) return false;
    bool removed = false;
    {
        std::lock_guard<SGMutex> hold(context_.mutex());
        removed =
            context_.disconnect(&source->processor(), outlet, &destination->processor(), inlet);
    }
    if (removed) SetModified();
    return removed;
}

int VTDocument::MakerCount() const { return factory().makerCount(); }

std::optional<VTDocument::MakerInfo> VTDocument::GetMakerInfo(int index) const {
    if (index < 0 || index >= factory().makerCount()) return std::nullopt;
    const VTContraptionMaker& maker = factory().maker(index);
    return MakerInfo{maker.name(), maker.category()};
}

bool VTDocument::CanCreate(int index) const {
    return index >= 0 && index < factory().makerCount() && factory().maker(index).isAvailable();
}

int VTDocument::ContraptionCount() const { return factory().contraptionCount(); }

VTContraption* VTDocument::ContraptionAt(int index) const {
    if (index < 0 || index >= factory().contraptionCount()) return nullptr;
    return &factory().contraption(index);
}

VTContraption* VTDocument::FindContraption(std::string_view instanceName) const {
    return factory().findContraption(instanceName);
}

bool VTDocument::SetTempo(double bpm) {
    if (!transport_.setTempo(bpm)) return false;
    SetModified();
    return true;
}

void VTDocument::ResetAllPipes() {
    std::lock_guard<SGMutex> hold(context_.mutex());
    context_.resetAll();
}

// ---------------------------------------------------------------------------------------------
// Writing

std::string VTDocument::WriteText() {
    std::ostringstream out;
    classic(out);
    WriteTo(out);
    return out.str();
}

void VTDocument::WriteTo(std::ostream& out) {
    // Lines end in "\n" alone: the text mode of the other platform is what put "\r\n" there.
    out << ".vtx 0.6\n";
    out << "tempo:\n\t" << SGTextIO::formatGeneral(Tempo()) << '\n';
    appData_->WriteSections(out);
    out << "contraptions:\n";
    for (int i = 0; i < factory().contraptionCount(); ++i) {
        out << '\t';
        factory().contraption(i).writeEntry(out);
        out << '\n';
    }
    out << "connections:\n";
    WriteConnections(out);
    out << "controllers:\n";
    WriteControllers(out);
    out << "end\n";
}

void VTDocument::WriteConnections(std::ostream& out) const {
    // Grouped by destination, inlets in index order, each inlet's connections in the order made:
    // reading them back in this order restores every inlet's order, and so its summing order.
    for (int i = 0; i < factory().contraptionCount(); ++i) {
        const VTContraption& destination = factory().contraption(i);
        for (int k = 0; k < destination.connectionCount(); ++k) {
            const VTContraption::Connection c = destination.connection(k);
            if (!c.source) continue;
            out << '\t' << c.source->name() << '\t' << std::to_string(c.outlet) << '\t'
                << destination.name() << '\t' << std::to_string(c.inlet) << '\n';
        }
    }
}

void VTDocument::WriteControllers(std::ostream& out) const {
    for (int i = 0; i < factory().contraptionCount(); ++i) {
        const VTContraption& contraption = factory().contraption(i);
        if (!contraption.controllers().hasContent()) continue;
        out << '\t' << contraption.name() << '\t';
        contraption.controllers().write(out);
        out << '\n';
    }
}

bool VTDocument::WriteFile(const std::string& path) {
    if (!KDAtomicFile::write(path, WriteText())) {
        showMessage(VTDocumentMessages::kSaveFailed, VTDocumentMessages::kCaption);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reading

namespace {

// Rewrites the rest of a version 0.5 file into the temporary file and opens that for reading;
// the document file is closed either way. False when the temporary file cannot be made.
bool rewriteVersion05(std::ifstream& file, const KDTemporaryFile& temp, std::ifstream& converted) {
    bool written = false;
    if (temp.created()) {
        std::ofstream out(temp.path(), std::ios::binary | std::ios::trunc);
        classic(out);
        VTVersion05Converter::convert(file, out);
        out.flush();
        written = out.good();
    }
    file.close();
    if (written) converted.open(temp.path(), std::ios::binary);
    classic(converted);
    return converted.is_open();
}

// Shows why a header is refused; false for a header that is accepted.
bool refuseHeader(VTDocumentHeader::Kind kind) {
    if (kind == VTDocumentHeader::Kind::NotDocument) {
        showMessage(VTDocumentMessages::kNotADocument, VTDocumentMessages::kReadErrorCaption);
        return true;
    }
    if (kind == VTDocumentHeader::Kind::Newer) {
        showMessage(VTDocumentMessages::kNewerVersion, VTDocumentMessages::kReadErrorCaption);
        return true;
    }
    return false;
}

}  // namespace

bool VTDocument::ReadFile(const std::string& path, bool& changed) {
    changed = false;
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, ec)) file.open(path, std::ios::binary);
    if (!file.is_open()) {
        showMessage(VTDocumentMessages::kOpenFailed, VTDocumentMessages::kCaption);
        return false;
    }
    classic(file);

    VTDocumentHeader::Kind kind = VTDocumentHeader::read(file);
    // Declared here so the rewritten text is removed on every way out of the read.
    std::unique_ptr<KDTemporaryFile> temp;
    std::ifstream converted;
    std::istream* in = &file;
    if (kind == VTDocumentHeader::Kind::Version05) {
        temp = std::make_unique<KDTemporaryFile>();
        if (!rewriteVersion05(file, *temp, converted)) {
            showMessage(VTDocumentMessages::kOpenFailed, VTDocumentMessages::kCaption);
            return false;
        }
        in = &converted;
        kind = VTDocumentHeader::read(converted);
    }
    if (refuseHeader(kind)) return false;

    changed = true;
    if (ReadBody(*in)) return true;
    // What was read stays; the user learns the file is damaged.
    showMessage(VTDocumentMessages::kOpenFailed, VTDocumentMessages::kCaption);
    return false;
}

bool VTDocument::ReadBody(std::istream& in) {
    Reset();
    std::string section;
    std::string text;
    while (true) {
        // A handler that failed on its own section must not end the reading of the rest.
        if (in.fail() && !in.eof() && !in.bad()) in.clear();
        if (!VTDocumentLines::readLine(in, section, VTDocumentLines::kMaxSectionLine)) break;
        if (section == "end") return true;
        if (section == "tempo:") {
            if (VTDocumentLines::readEntry(in, text)) {
                EntryStream entry(text);
                double bpm = 0.0;
                if (SGTextIO::readReal(entry, bpm)) SetTempo(bpm);
            }
        } else if (appData_->ReadSection(section, in)) {
            continue;
        } else if (section == "contraptions:") {
            ReadContraptions(in);
        } else if (section == "connections:") {
            ReadConnections(in);
        } else if (section == "controllers:") {
            ReadControllers(in);
        }
        // Whatever a section holds beyond what was read is passed over, as is every section
        // nothing here knows.
        VTDocumentLines::skipEntries(in);
    }
    return false;
}

void VTDocument::ReadContraptions(std::istream& in) {
    std::string text;
    while (VTDocumentLines::readEntry(in, text)) {
        EntryStream entry(text);
        std::string maker, name;
        if (!VTNameToken::read(entry, maker) || !VTNameToken::read(entry, name)) continue;
        CreateFromEntry(maker, name, entry);
    }
}

void VTDocument::ReadConnections(std::istream& in) {
    std::string text;
    while (VTDocumentLines::readEntry(in, text)) {
        EntryStream entry(text);
        std::string sourceName, destinationName;
        int outlet = 0, inlet = 0;
        if (!VTNameToken::read(entry, sourceName) || !readIndex(entry, outlet) ||
            !VTNameToken::read(entry, destinationName) || !readIndex(entry, inlet))
            continue;
        VTContraption* source = FindContraption(sourceName);
        VTContraption* destination = FindContraption(destinationName);
        if (!source || !destination) continue;
        std::lock_guard<SGMutex> hold(context_.mutex());
        context_.connect(&source->processor(), outlet, &destination->processor(), inlet);
    }
}

void VTDocument::ReadControllers(std::istream& in) {
    std::string text;
    while (VTDocumentLines::readEntry(in, text)) {
        EntryStream entry(text);
        std::string name;
        if (!VTNameToken::read(entry, name)) continue;
        VTContraption* contraption = FindContraption(name);
        if (contraption) contraption->controllers().read(entry);
    }
}

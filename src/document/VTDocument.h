#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "control/VTTransport.h"
#include "document/KDDocument.h"
#include "document/VTDocAppData.h"
#include "signal/SGDynSigContext.h"

class VTContraption;

// The patch as a document: the signal graph with its transport clock, every live contraption,
// and the file that holds them.
//
// There is one document at a time (Create refuses a second), because every live contraption
// of the program belongs to it: the contraption factory lists them, and the document destroys
// them, newest first, when it is reset or destroyed. Whoever creates a contraption for the patch
// (the "New" menu, the reader, a paste) does so through the document or hands it over at once.
//
// All of it is used on the user-interface thread. Every change to the graph holds the signal
// context's lock, one change at a time, so the audio thread may run the graph meanwhile.
//
// A headless use (the command-line render), once the makers are registered
// (registerAllMakers); Create installs the MIDI controller factory when none is installed:
//   auto doc = VTDocument::Create(std::make_unique<VTDocAppData>(),
//                                 std::make_unique<KDMessageDocumentDialogs>());
//   bool changed = false;
//   if (!doc->ReadFile(path, changed)) ...  // the message has been shown
//   doc->Context().processBlock(); ...
class VTDocument : public KDDocument {
public:
    struct MakerInfo {
        std::string name;
        std::string category;
    };

    // The document, unless one exists already: then none, and nothing is created. Without
    // application data the layout sections are skipped; without dialogs the questions go
    // through the message box (KDMessageDocumentDialogs).
    static std::unique_ptr<VTDocument> Create(std::unique_ptr<VTDocAppData> appData,
                                              std::unique_ptr<KDDocumentDialogs> dialogs);
    // The live document, or none.
    static VTDocument* Instance();

    ~VTDocument() override;

    // Destroys every contraption (newest first), stops the clock at position 0 and sets the
    // tempo to 120 beats per minute.
    void Reset() override;
    // Reads a document file (version 0.6, or 0.5 after rewriting it). A file that cannot be
    // opened, is not a document or is of a newer version shows its message and leaves the
    // document untouched (`changed` false). Once the header is accepted the patch is emptied
    // (`changed` true) and everything readable is read: unknown kinds, connections and
    // controllers naming missing contraptions and out-of-range connections are skipped without
    // a word. A file that ends before its "end" line shows the opening error and gives false,
    // keeping what was read.
    bool ReadFile(const std::string& path, bool& changed) override;
    // Writes the document; the previous file stays whole until the new one is complete. Any
    // failure shows the saving error and gives false.
    bool WriteFile(const std::string& path) override;

    // The document's text as WriteFile stores it.
    std::string WriteText();
    void WriteTo(std::ostream& out);
    // Reads a document text whose header line has been taken: Reset, then the sections up to
    // "end". False when the text ended first.
    bool ReadBody(std::istream& in);

    // Edit operations. Each change to the graph marks the document modified.
    // A contraption of maker `makerIndex` with a fresh name, in the graph; none when the index
    // is out of range or the maker refuses (a device slot in use).
    VTContraption* AddContraption(int makerIndex);
    // A contraption of the named maker, offered `requestedName`, put in the graph and given the
    // rest of its entry to read, all under one hold of the lock. None when the maker is not
    // registered or refuses. Does not mark the document modified (reading and pasting decide).
    VTContraption* CreateFromEntry(std::string_view makerName, std::string_view requestedName,
                                   std::istream& entry);
    // Destroys a contraption of the patch with its connections.
    void DeleteContraption(VTContraption* contraption);
    // Connects an outlet to an inlet; false (and nothing marked) for indices out of range.
    bool Connect(VTContraption* source, int outlet, VTContraption* destination, int inlet);
    bool Disconnect(VTContraption* source, int outlet, VTContraption* destination, int inlet);

    int MakerCount() const;
    std::optional<MakerInfo> GetMakerInfo(int index) const;
    bool CanCreate(int index) const;
    int ContraptionCount() const;
    VTContraption* ContraptionAt(int index) const;
    VTContraption* FindContraption(std::string_view instanceName) const;

    // Tempo and transport.
    double Tempo() const { return transport_.tempo(); }
    // Marks the document modified. A tempo that is not positive and finite is refused.
    bool SetTempo(double bpm);
    double SamplesPerTick() const { return transport_.samplesPerTick(); }
    void Start() { transport_.play(); }
    void Stop() { transport_.stop(); }
    bool IsPlaying() const { return transport_.isPlaying(); }
    double SongPosition() const { return transport_.position(); }
    void SetSongPosition(double ticks) { transport_.setPosition(ticks); }
    // Every pipe forgets its running state (before an off-line render).
    void ResetAllPipes();
    // Runs the graph for one block under the context lock.
    void ProcessBlock() { context_.processBlock(); }

    SGDynSigContext& Context() { return context_; }
    VTTransport& Transport() { return transport_; }
    VTDocAppData& AppData() const { return *appData_; }

private:
    VTDocument(std::unique_ptr<VTDocAppData> appData, std::unique_ptr<KDDocumentDialogs> dialogs);
    void DestroyAllContraptions();
    void ReadContraptions(std::istream& in);
    void ReadConnections(std::istream& in);
    void ReadControllers(std::istream& in);
    void WriteConnections(std::ostream& out) const;
    void WriteControllers(std::ostream& out) const;

    // Declared first so it goes last: the contraptions leave it before it is destroyed.
    SGDynSigContext context_;
    VTTransport transport_{context_};
    std::unique_ptr<VTDocAppData> appData_;
};

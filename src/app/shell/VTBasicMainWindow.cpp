#include "app/shell/VTBasicMainWindow.h"

#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <stdexcept>

#include "audio/EWaveError.h"
#include "audio/TRealTimeEngine.h"
#include "contraptions/VTContraption.h"
#include "document/KDMessageDocumentDialogs.h"
#include "document/VTDocument.h"
#include "platform/VTHelpViewer.h"
#include "platform/VTMessageBox.h"

VTBasicMainWindow::VTBasicMainWindow(TRealTimeEngine& engine, QWidget* parent)
    : QMainWindow(parent),
      engine_(engine),
      document_(VTDocument::Create(std::make_unique<VTDocAppData>(),
                                   std::make_unique<KDMessageDocumentDialogs>())),
      patch_(new QLabel(this)) {
    if (!document_) throw std::runtime_error("Vantrel can hold only one document at a time.");
    engine_.SetSignalContext(&document_->Context());
    patch_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    patch_->setMargin(12);
    setCentralWidget(patch_);

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&Help Topics", [] { VTHelpViewer::show(0); });
    help->addAction("&About", [this] {
        if (about_) about_();
    });
    statusBar()->showMessage("Audio off");
    auto* load = new QTimer(this);
    connect(load, &QTimer::timeout, this, [this] {
        if (engine_.IsAudioRunning())
            statusBar()->showMessage(QString::fromStdString(engine_.CpuLoadText()));
    });
    load->start(500);
    resize(800, 560);
    showDocument();
}

VTBasicMainWindow::~VTBasicMainWindow() { shutDown(); }

void VTBasicMainWindow::openPath(const std::string& path) {
    const bool wasRunning = engine_.IsAudioRunning();
    // The graph is rebuilt while reading; the engine must not run it meanwhile.
    if (wasRunning) engine_.StopAudio();
    document_->OpenPath(path);
    if (wasRunning) enableAudio();
    showDocument();
}

void VTBasicMainWindow::enableAudio() {
    try {
        engine_.StartAudio();
        statusBar()->showMessage("Audio on");
    } catch (const EWaveError& e) {
        VTMessageBox::show(e.what(), "Vantrel", VTMessageButtons::Ok, VTMessageIcon::Stop);
    }
}

void VTBasicMainWindow::playFromStart() { document_->Transport().playFromStart(); }

void VTBasicMainWindow::shutDown() {
    if (!document_) return;
    engine_.StopAudio();
    engine_.SetSignalContext(nullptr);
    document_.reset();
}

void VTBasicMainWindow::showDocument() {
    const auto& path = document_->GetPath();
    const QString name = path ? QFileInfo(QString::fromStdString(*path)).fileName() : "Untitled";
    setWindowTitle(name + " - Vantrel");
    QString text = "<h3>" + name.toHtmlEscaped() + "</h3><p>Tempo " +
                   QString::number(document_->Tempo()) + "</p><ul>";
    for (int i = 0; i < document_->ContraptionCount(); ++i) {
        VTContraption* c = document_->ContraptionAt(i);
        text += "<li>" + QString::fromStdString(c->name()).toHtmlEscaped() +
                "</li>";
    }
    patch_->setText(text + "</ul>");
}

#pragma once

#include <QFileDialog>
#include <memory>
#include <optional>
#include <string>

#include "document/KDMessageDocumentDialogs.h"

class QWidget;

// The main window's answers to the document's questions: the two questions as message boxes
// (through the installed message box, with the document's own texts) and the paths from the
// window's open and save dialogs. The save dialog keeps the name it last had while the
// document is untitled.
class BraskDocDialogs : public KDMessageDocumentDialogs {
public:
    explicit BraskDocDialogs(QWidget* parent);
    ~BraskDocDialogs() override;

    std::optional<std::string> GetOpenPath() override;
    std::optional<std::string> GetSavePath(const std::optional<std::string>& currentPath) override;

    QFileDialog& OpenDialog() { return *open_; }
    QFileDialog& SaveDialog() { return *save_; }

    // The dialogs as the window uses them: titles, filters, default extension, modes.
    static void SetUpOpenDialog(QFileDialog& dialog);
    static void SetUpSaveDialog(QFileDialog& dialog);

private:
    std::unique_ptr<QFileDialog> open_;
    std::unique_ptr<QFileDialog> save_;
};

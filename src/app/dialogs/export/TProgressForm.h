#pragma once

#include <QDialog>

#include "export/VTExportProgress.h"

class QLabel;
class QPushButton;
class VTBusyIndicator;
class VTSegmentedProgressBar;

// The window an export shows while it runs: two lines of text, the segmented bar, a looping
// indicator and "Cancel". Cancelling only asks: the export reads the request between chunks
// and closes the window itself, so neither "Cancel" nor closing the window hides it.
class TProgressForm : public QDialog, public VTExportProgress {
public:
    static constexpr const char* kCancelCaption = "Cancel";

    explicit TProgressForm(QWidget* parent = nullptr);

    void begin(const std::string& caption) override;
    void setLines(const std::string& first, const std::string& second) override;
    void setProgress(float progress) override;
    float progress() const override;
    bool cancelRequested() const override { return cancel_; }
    void processEvents() override;
    void end() override;

    // Escape and the window's close button ask to cancel as "Cancel" does.
    void reject() override { cancel_ = true; }

    QLabel* FirstLine() const { return first_; }
    QLabel* SecondLine() const { return second_; }
    VTSegmentedProgressBar* ProgressBar() const { return bar_; }
    VTBusyIndicator* Animation() const { return animation_; }
    QPushButton* CancelButton() const { return cancelButton_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* first_;
    QLabel* second_;
    VTSegmentedProgressBar* bar_;
    VTBusyIndicator* animation_;
    QPushButton* cancelButton_;
    bool cancel_ = false;
};

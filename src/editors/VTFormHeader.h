#pragma once

#include <QLabel>
#include <QWidget>

#include "ui/KDFlatButton.h"
#include "ui/qt/KDQtHosted.h"

class TContraptionForm;
class VTPresetButton;

// The header strip of an editor window: the instance name at the left, and at the right a
// 72-pixel group with the preset, help and close buttons. Pressing the strip (or the name, or
// the group around the buttons) and dragging moves the window.
class VTFormHeader : public QWidget {
public:
    static constexpr int kHeight = 17;
    static constexpr int kControlsWidth = 72;

    explicit VTFormHeader(TContraptionForm& form);

    QLabel& label() const { return *label_; }
    VTPresetButton& presetButton() const { return *preset_; }
    KDQtHosted<KDFlatButton>& helpButton() const { return *help_; }
    KDQtHosted<KDFlatButton>& closeButton() const { return *close_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TContraptionForm& form_;
    QLabel* label_;
    VTPresetButton* preset_;
    KDQtHosted<KDFlatButton>* help_;
    KDQtHosted<KDFlatButton>* close_;
    bool dragging_ = false;
};

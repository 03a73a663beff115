#include "editors/effects/TSSpatForm.h"

#include <QLabel>
#include <algorithm>

#include "contraptions/VTContraption.h"
#include "editors/effects/VTTrajectoryPicture.h"
#include "library/effects/VTSSpat.h"

namespace {

constexpr int kPictureSize = 160;
constexpr int kPathNotifier = 1;
constexpr double kTurn = 6.2831852;

}  // namespace

TSSpatForm::TSSpatForm(VTContraption& contraption)
    : TSliderRowsForm(contraption), spat_(dynamic_cast<VTSSpat*>(&contraption.processor())) {
    setWindowTitle("Spatialiser");
    QWidget* client = clientArea();
    addLabel("Path:", 8, 4);
    editor_ = new KDQtHosted<KDTrigSplineEdit>(client);
    editor_->setGeometry(8, 20, kPictureSize, kPictureSize);
    PathEditor().OnChange = [this](KDTrigSplineEdit&) { pathEdited(); };
    addLabel("Trajectory:", 16 + kPictureSize, 4);
    picture_ = new VTTrajectoryPicture(path_, client);
    picture_->setGeometry(16 + kPictureSize, 20, kPictureSize, kPictureSize);
    picture_->OnDrag = [this](double dx, double dy, Qt::KeyboardModifiers m) {
        TrajectoryDragged(dx, dy, m);
    };

    // The sliders go below the two pictures.
    setRowsTop(28 + kPictureSize);
    setCaptionWidth(110);
    addSlider("Velocity:", "TrajectoryRate");
    addSlider("Scale:", "SpaceScale");
    addSlider("Doppler Amount:", "DopplerAmount");
    addSlider("Amp Amount:", "AmplitudeAmount");
    addSlider("Separation:", "SpeakerSeparation");
    addSlider("Reverb Scaling:", "ReverbAmount");

    for (const char* name :
         {"PathSegments", "PathOriginX", "PathOriginY", "PathRotation", "PathScale"})
        bindNull(name, kPathNotifier);
    addNotifier(kPathNotifier, [this] { showPath(); });
    setClientSize(std::max(clientArea()->width(), 24 + 2 * kPictureSize), clientArea()->height());
}

TSSpatForm::~TSSpatForm() = default;

void TSSpatForm::showPath() {
    if (!spat_) return;
    const char* text = spat_->pathSegments.text();
    PathEditor().SetCommaText(text ? text : "");
    path_.parse(PathEditor().CommaText());
    path_.setOffset(float(spat_->pathOriginX.value()), float(spat_->pathOriginY.value()));
    path_.setRotation(spat_->pathRotation.value());
    path_.setScale(spat_->pathScale.value());
    picture_->setOrigin(spat_->pathOriginX.value(), spat_->pathOriginY.value());
    editor_->update();
}

void TSSpatForm::pathEdited() {
    if (!spat_) return;
    const std::string text = PathEditor().CommaText();
    path_.parse(text);
    picture_->update();
    spat_->pathSegments.setValue(text.c_str());
    userEdited();
}

void TSSpatForm::TrajectoryDragged(double dx, double dy, Qt::KeyboardModifiers modifiers) {
    if (!spat_) return;
    if (modifiers & Qt::ControlModifier) {
        double rotation = spat_->pathRotation.value() + dy * 6.283;
        if (rotation > kTurn) rotation -= kTurn;
        if (rotation < -kTurn) rotation += kTurn;
        spat_->pathRotation.setValue(rotation);
        path_.setRotation(rotation);
    } else if (modifiers & Qt::ShiftModifier) {
        const double scale = std::clamp(spat_->pathScale.value() + dy, 0.1, 5.0);
        spat_->pathScale.setValue(scale);
        path_.setScale(scale);
    } else {
        const double x = std::clamp(spat_->pathOriginX.value() + dx, -1.0, 1.0);
        const double y = std::clamp(spat_->pathOriginY.value() + dy, -1.0, 1.0);
        spat_->pathOriginX.setValue(x);
        spat_->pathOriginY.setValue(y);
        path_.setOffset(float(x), float(y));
        picture_->setOrigin(x, y);
    }
    picture_->update();
    userEdited();
}

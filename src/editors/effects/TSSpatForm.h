#pragma once

#include <memory>

#include "dsp/SGTrigSplinePath.h"
#include "editors/TSliderRowsForm.h"
#include "ui/KDTrigSplineEdit.h"
#include "ui/qt/KDQtHosted.h"

class VTSSpat;
class VTTrajectoryPicture;

// "SSpat": the path the sound travels, drawn in a spline editor; the trajectory as the sound
// follows it, where a drag moves its origin (Ctrl turns it, Shift scales it); and the speed
// round the path, the size of the space, the Doppler and loudness effects of distance, the
// loudspeakers' separation and the reverberation.
class TSSpatForm : public TSliderRowsForm {
public:
    explicit TSSpatForm(VTContraption& contraption);
    ~TSSpatForm() override;

    KDTrigSplineEdit& PathEditor() const { return editor_->control(); }
    VTTrajectoryPicture& Picture() const { return *picture_; }
    const SGTrigSplinePath& Path() const { return path_; }

    // A drag step on the trajectory, in the square's coordinates.
    void TrajectoryDragged(double dx, double dy, Qt::KeyboardModifiers modifiers);

private:
    void pathEdited();
    void showPath();

    VTSSpat* spat_;
    SGTrigSplinePath path_{2048};
    KDQtHosted<KDTrigSplineEdit>* editor_;
    VTTrajectoryPicture* picture_;
};

// vantrel_gallery: every control of the toolkit in one window.
//   vantrel_gallery                      shows the window
//   vantrel_gallery --screenshot out.png saves a picture of it and ends (works with
//                                        QT_QPA_PLATFORM=offscreen, without a display)
//   --zoom N                             enlarges the saved picture N times, pixel for pixel
//   --region X,Y,W,H                     saves only that part of the window
//   --editor NAME                        shows the editor window of the contraption kind NAME
//                                        (a maker name such as TestGen) in a properties pane
//                                        instead of the controls
#include <QApplication>
#include <QPixmap>
#include <QRect>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "KDGalleryWindow.h"
#include "contraptions/VTContraption.h"
#include "editors/VTEditorPreview.h"
#include "makers/VTMakerTable.h"
#include "ui/qt/KDQtPatcherWidget.h"

int main(int argc, char** argv) {
    const char* shot = nullptr;
    const char* editor = nullptr;
    int zoom = 1;
    QRect region;
    for (int i = 1; i < argc; ++i) {
        const bool isShot = std::strcmp(argv[i], "--screenshot") == 0;
        const bool isZoom = std::strcmp(argv[i], "--zoom") == 0;
        const bool isRegion = std::strcmp(argv[i], "--region") == 0;
        const bool isEditor = std::strcmp(argv[i], "--editor") == 0;
        if (!isShot && !isZoom && !isRegion && !isEditor) continue;
        if (i + 1 >= argc) {
            std::fprintf(stderr, "vantrel_gallery: %s needs a value\n", argv[i]);
            return 2;
        }
        int x, y, w, h;
        if (isShot)
            shot = argv[++i];
        else if (isEditor)
            editor = argv[++i];
        else if (isRegion && std::sscanf(argv[++i], "%d,%d,%d,%d", &x, &y, &w, &h) == 4)
            region = QRect(x, y, w, h);
        else if (isZoom)
            zoom = std::max(1, std::min(8, std::atoi(argv[++i])));
    }

    QApplication app(argc, argv);
    std::unique_ptr<QWidget> shown;
    if (editor) {
        registerAllMakers();
        auto preview = std::make_unique<VTEditorPreview>();
        VTContraption* c = preview->addEditor(editor);
        if (!c || !c->formState().hasEditorWindow()) {
            std::fprintf(stderr, "vantrel_gallery: no editor window for \"%s\"\n", editor);
            return 2;
        }
        // Room for the whole window beside the pane's margin, however large the editor is.
        QSize size(260, 150);
        if (auto* form = dynamic_cast<QWidget*>(c->formState().editorWindow()))
            size = size.expandedTo(
                QSize(form->geometry().right() + 30, form->geometry().bottom() + 30));
        preview->resize(size);
        preview->show();
        shown = std::move(preview);
    } else {
        auto gallery = std::make_unique<KDGalleryWindow>();
        gallery->show();
        gallery->Patcher()->Viewport()->setFocus();
        shown = std::move(gallery);
    }
    QWidget& window = *shown;
    if (!shot) return app.exec();

    window.activateWindow();
    QApplication::processEvents();
    QApplication::processEvents();
    QPixmap picture = window.grab(region.isValid() ? region : QRect(QPoint(0, 0), QSize(-1, -1)));
    if (zoom > 1)
        picture =
            picture.scaled(picture.size() * zoom, Qt::KeepAspectRatio, Qt::FastTransformation);
    if (!picture.save(QString::fromLocal8Bit(shot), "PNG")) {
        std::fprintf(stderr, "vantrel_gallery: cannot write %s\n", shot);
        return 1;
    }
    return 0;
}

#pragma once

#include <QWidget>

class KDQtPatcherWidget;

// One window showing every control of the toolkit, set up as the program uses them.
class KDGalleryWindow : public QWidget {
public:
    explicit KDGalleryWindow(QWidget* parent = nullptr);

    KDQtPatcherWidget* Patcher() const { return patcher_; }

private:
    QWidget* BuildPatcherPane();
    QWidget* BuildPropertiesPane();
    QWidget* BuildControlsRow();

    KDQtPatcherWidget* patcher_ = nullptr;
};

#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "editors/KDQtTextClipboard.h"
#include "editors/VTPropertiesPane.h"
#include "editors/VTQtEditorFactory.h"

class VTContraption;

// Editor windows in a properties pane without the main window: builds contraptions by maker
// name and opens their editors side by side. Used by the gallery's --editor option and by
// the tests. The makers must be registered first.
class VTEditorPreview : public QWidget {
public:
    explicit VTEditorPreview(QWidget* parent = nullptr);
    ~VTEditorPreview() override;

    // A new contraption of that kind with its editor open at a content position; none when no
    // maker of that name exists or it refuses.
    VTContraption* addEditor(const std::string& makerName, int left = 10, int top = 10);
    // Destroys every contraption added, and with it its editor.
    void clear() { contraptions_.clear(); }

    VTPropertiesPane& pane() const { return *pane_; }
    VTQtEditorFactory& factory() { return factory_; }

private:
    VTPropertiesPane* pane_;
    VTQtEditorFactory factory_;
    KDQtTextClipboard clipboard_;
    // Destroyed before the pane: each closes its editor window.
    std::vector<std::unique_ptr<VTContraption>> contraptions_;
};

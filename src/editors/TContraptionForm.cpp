#include "editors/TContraptionForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <set>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "editors/VTCheckBoxBinding.h"
#include "editors/VTFormHeader.h"
#include "editors/VTNotifyEventBinding.h"
#include "editors/VTNullBinding.h"
#include "editors/VTNumberEditBinding.h"
#include "editors/VTParameterDialogs.h"
#include "editors/VTPresetButton.h"
#include "editors/VTPropertiesPane.h"
#include "editors/VTRangeSliderBinding.h"
#include "editors/VTValueBinding.h"
#include "editors/VTValueHintWindow.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "ui/KDDWKnob.h"
#include "ui/KDDWSlider.h"

namespace {

std::vector<TContraptionForm*>& formList() {
    static std::vector<TContraptionForm*> forms;
    return forms;
}

int roundUpToGrid(int v) {
    const int g = TContraptionForm::kGrid;
    return v <= 0 ? 0 : (v + g - 1) / g * g;
}

}  // namespace

TContraptionForm::TContraptionForm(VTContraption& contraption)
    : QWidget(nullptr, Qt::FramelessWindowHint),
      contraption_(contraption),
      hintWindow_(std::make_unique<VTValueHintWindow>()) {
    setAutoFillBackground(true);
    header_ = new VTFormHeader(*this);
    client_ = new QWidget(this);
    client_->move(0, VTFormHeader::kHeight);
    buildParameterMenu();
    header_->closeButton().control().OnClick = [this](KDControl&) {
        // The window is destroyed by its owner; not while its own button is still handling
        // the click.
        QTimer::singleShot(0, this, [this] { contraption_.formState().closeEditor(); });
    };
    header_->helpButton().control().OnClick = [this](KDControl&) { contraption_.showHelp(); };
    setClientSize(150, 40);
    formList().push_back(this);
}

TContraptionForm::~TContraptionForm() {
    auto& forms = formList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    bindings_.clear();
    notifiers_.clear();
    hintWindow_.reset();
    if (pane_) {
        hide();
        pane_->formClosed(this);
    }
}

const std::vector<TContraptionForm*>& TContraptionForm::openForms() { return formList(); }

VTPresetButton& TContraptionForm::presetButton() const { return header_->presetButton(); }

void TContraptionForm::setClientSize(int width, int height) {
    client_->resize(width, height);
    const QRect bounds(geometry().topLeft(), QSize(width, height + VTFormHeader::kHeight));
    setContentBounds(bounds);
}

QLabel* TContraptionForm::addLabel(const QString& text, int x, int y, int width,
                                   Qt::Alignment alignment) {
    auto* label = new QLabel(text, client_);
    label->move(x, y);
    if (width > 0) label->setFixedWidth(width);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

// ---- bindings ----------------------------------------------------------------------------

VTPropertyControlBinding& TContraptionForm::addBinding(
    std::unique_ptr<VTPropertyControlBinding> binding) {
    VTPropertyControlBinding& added = *binding;
    const int index = binding->propertyIndex;
    bindings_.emplace(index, std::move(binding));
    return added;
}

VTPropertyControlBinding& TContraptionForm::bindKnob(KDDWKnob& knob, const std::string& name,
                                                     int notifierId) {
    return addBinding(std::make_unique<VTValueBinding<KDDWKnob>>(*this, knob, name, notifierId));
}

VTPropertyControlBinding& TContraptionForm::bindSlider(KDDWSlider& slider, const std::string& name,
                                                       int notifierId) {
    return addBinding(
        std::make_unique<VTValueBinding<KDDWSlider>>(*this, slider, name, notifierId));
}

VTPropertyControlBinding& TContraptionForm::bindRangeSlider(KDRangeSlider& slider,
                                                            const std::string& name,
                                                            int notifierId) {
    return addBinding(std::make_unique<VTRangeSliderBinding>(*this, slider, name, notifierId));
}

VTPropertyControlBinding& TContraptionForm::bindNumberEdit(KDNumberEdit& edit,
                                                           const std::string& name,
                                                           int notifierId) {
    SGPropertyTable& table = contraption_.processor().propertyTable();
    const bool isInt = table.findProperty(name).typeCode() == SGProperty::IntType;
    std::unique_ptr<VTPropertyControlBinding> b;
    if (isInt)
        b = std::make_unique<VTNumberEditBinding<SGIntProperty, int>>(*this, edit, name,
                                                                      notifierId);
    else
        b = std::make_unique<VTNumberEditBinding<SGDoubleProperty, double>>(*this, edit, name,
                                                                            notifierId);
    return addBinding(std::move(b));
}

VTPropertyControlBinding& TContraptionForm::bindCheckBox(QCheckBox& box, const std::string& name,
                                                         bool checkedMeans, int notifierId) {
    return addBinding(
        std::make_unique<VTCheckBoxBinding>(*this, box, name, checkedMeans, notifierId));
}

VTPropertyControlBinding& TContraptionForm::bindNotify(std::function<void()> callback,
                                                       const std::string& name, int notifierId) {
    return addBinding(
        std::make_unique<VTNotifyEventBinding>(*this, std::move(callback), name, notifierId));
}

VTPropertyControlBinding& TContraptionForm::bindNotify(std::function<void()> callback,
                                                       int propertyIndex, int notifierId) {
    return addBinding(std::make_unique<VTNotifyEventBinding>(*this, std::move(callback),
                                                             propertyIndex, notifierId));
}

VTPropertyControlBinding& TContraptionForm::bindNull(const std::string& name, int notifierId) {
    return addBinding(std::make_unique<VTNullBinding>(*this, name, notifierId));
}

void TContraptionForm::addNotifier(int id, std::function<void()> callback) {
    notifiers_[id] = std::move(callback);
}

void TContraptionForm::callNotifier(int id) {
    auto it = notifiers_.find(id);
    if (it != notifiers_.end() && it->second) it->second();
}

// ---- parameter pop-up menu ---------------------------------------------------------------

void TContraptionForm::buildParameterMenu() {
    QAction* setValue = parameterMenu_.addAction("Set Value...");
    setValue->setObjectName("_VTPropPopupSetValue");
    setValue->setEnabled(false);
    parameterMenu_.addSeparator()->setObjectName("_VTN1");
    QAction* modulation = parameterMenu_.addAction("Setup Modulation...");
    modulation->setObjectName("_VTPropPopupMapModulation");
    parameterMenu_.addSeparator()->setObjectName("_VTN2");
    QAction* quickMap = parameterMenu_.addAction("Quick-map MIDI Controller...");
    quickMap->setObjectName("_VTPropPopupQuickmapMIDI");
    QAction* automation = parameterMenu_.addAction("Quick-map Automation");
    automation->setObjectName("_VTPropPopupQuickmapAutomation");
    automation->setEnabled(false);

    QObject::connect(modulation, &QAction::triggered, this, [this] {
        VTParameterDialogs* dialogs = VTParameterDialogs::current();
        if (dialogs && menuProperty_ >= 0) dialogs->setupModulation(contraption_, menuProperty_);
    });
    QObject::connect(quickMap, &QAction::triggered, this, [this] {
        VTParameterDialogs* dialogs = VTParameterDialogs::current();
        SGPropertyTable& table = contraption_.processor().propertyTable();
        if (dialogs && menuProperty_ >= 0 && menuProperty_ < table.count())
            dialogs->quickMapMidi(contraption_, menuProperty_, table.info(menuProperty_));
    });
}

void TContraptionForm::popupParameterMenu(QPoint screenPosition, int propertyIndex) {
    menuProperty_ = propertyIndex;
    parameterMenu_.popup(screenPosition);
}

void TContraptionForm::popupParameterMenu(QPoint screenPosition, const std::string& name) {
    popupParameterMenu(screenPosition, contraption_.processor().propertyTable().indexOf(name));
}

// ---- refreshing --------------------------------------------------------------------------

void TContraptionForm::refreshBinding(VTPropertyControlBinding& binding) {
    binding.refresh();
    binding.pending = false;
}

void TContraptionForm::propertyChanged(const SGProperty& property, bool now) {
    for (auto& [index, binding] : bindings_) {
        if (&binding->property != &property) continue;
        propertyChanged(index, now);
        return;
    }
}

void TContraptionForm::propertyChanged(int propertyIndex, bool now) {
    if (propertyIndex < 0) return;
    auto [first, last] = bindings_.equal_range(propertyIndex);
    for (auto it = first; it != last; ++it) {
        VTPropertyControlBinding& binding = *it->second;
        if (!now) {
            binding.pending = true;
            continue;
        }
        refreshBinding(binding);
        if (binding.notifierId != 0) callNotifier(binding.notifierId);
    }
}

void TContraptionForm::refreshAll(bool now) {
    if (!now) {
        refreshPending_ = true;
        return;
    }
    for (auto& [index, binding] : bindings_) refreshBinding(*binding);
    for (auto& [id, callback] : notifiers_)
        if (callback) callback();
    refreshHook();
    refreshPending_ = false;
}

void TContraptionForm::refreshTick() {
    VTStaleControls& stale = contraption_.staleControls();
    if (stale.takeAny()) {
        const int count = stale.count();
        for (int i = 0; i < count; ++i)
            if (stale.take(i)) propertyChanged(i, false);
    }
    if (refreshPending_) {
        refreshAll(true);
        return;
    }
    std::set<int> notifierIds;
    for (auto& [index, binding] : bindings_) {
        if (!binding->pending) continue;
        refreshBinding(*binding);
        if (binding->notifierId != 0) notifierIds.insert(binding->notifierId);
    }
    for (int id : notifierIds) callNotifier(id);
}

void TContraptionForm::refreshTickAll() {
    // A refresh may open or close windows (a notifier's doing); work on a copy of the list and
    // skip windows that went meanwhile.
    const std::vector<TContraptionForm*> forms = formList();
    for (TContraptionForm* form : forms) {
        const auto& now = formList();
        if (std::find(now.begin(), now.end(), form) != now.end()) form->refreshTick();
    }
}

void TContraptionForm::userEdited() {
    contraption_.forgetCurrentPreset();
    presetButton().control().SetCaption("--");
}

void TContraptionForm::runPresetAction(int code, int k) {
    switch (code) {
        case 1:
            contraption_.recallPreset(k);
            refreshAll(true);
            break;
        case 2:
            contraption_.storePreset(k);
            break;
        case 3:
            contraption_.clearPreset(k);
            break;
        case 4:
            contraption_.cutPreset(k);
            break;
        case 5:
            contraption_.copyPreset(k);
            break;
        case 6:
            contraption_.pastePreset(k);
            break;
        default:
            break;
    }
}

// ---- geometry ----------------------------------------------------------------------------

QRect TContraptionForm::snapBounds(const QRect& bounds) {
    // Snapping in content coordinates keeps a window that already sits on the grid where it
    // is, whatever the pane's scroll offsets are.
    const int left = std::max(bounds.left(), 0) / kGrid * kGrid;
    const int top = std::max(bounds.top(), 0) / kGrid * kGrid;
    return {left, top, roundUpToGrid(bounds.width()), roundUpToGrid(bounds.height())};
}

void TContraptionForm::setContentBounds(const QRect& bounds) {
    const QRect snapped = snapBounds(bounds);
    if (snapped == geometry()) return;
    setGeometry(snapped);
    if (pane_) pane_->fitContent();
    if (isOpen_) VTContraptionFactory::instance().notifyModified();
}

QPoint TContraptionForm::scrollOffset() const { return pane_ ? pane_->scrollOffset() : QPoint(); }

void TContraptionForm::beginHeaderDrag(QPoint headerPosition) {
    raise();
    drag_.begin(headerPosition);
}

void TContraptionForm::dragHeader(QPoint headerPosition) {
    const QPoint step = drag_.move(headerPosition);
    if (step.isNull()) return;
    const QPoint before = pos() - scrollOffset();
    setContentBounds(geometry().translated(step));
    // Where the window actually went on the screen: less than the step at the content's
    // origin, more when the pane scrolled meanwhile.
    drag_.widgetMoved(pos() - scrollOffset() - before);
}

// ---- window ------------------------------------------------------------------------------

void TContraptionForm::open(const std::string& caption, int editorLeft, int editorTop) {
    header_->label().setText(QString::fromStdString(caption));
    setWindowTitle(QString::fromStdString(caption));
    if (pane_) setParent(pane_->content(), windowFlags() & ~Qt::Window);
    // Placing a new window where the document kept it is no change of the document.
    setContentBounds(QRect(editorLeft, editorTop, width(), height()));
    isOpen_ = true;
    watchPresses();
    show();
    refreshAll(true);
}

void TContraptionForm::bringIntoView() {
    raise();
    if (pane_) pane_->ensureWidgetVisible(this, 0, 0);
}

void TContraptionForm::watchPresses() {
    // Any press in the window brings it to the front, also on the controls that take it.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool TContraptionForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        raise();
    return QWidget::eventFilter(watched, event);
}

void TContraptionForm::mousePressEvent(QMouseEvent* e) {
    raise();
    QWidget::mousePressEvent(e);
}

void TContraptionForm::resizeEvent(QResizeEvent*) {
    header_->setGeometry(0, 0, width(), VTFormHeader::kHeight);
    client_->setGeometry(0, VTFormHeader::kHeight, width(),
                         std::max(0, height() - VTFormHeader::kHeight));
}

void TContraptionForm::paintEvent(QPaintEvent*) {
    // No system frame: a raised edge marks the window on the patterned pane.
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const int w = width() - 1, h = height() - 1;
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, h, 0, 0);
    p.drawLine(0, 0, w, 0);
    p.setPen(palette().color(QPalette::Shadow));
    p.drawLine(w, 0, w, h);
    p.drawLine(w, h, 0, h);
}

#include "app/dialogs/modulation/TConfigAutomationForm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dialogs/modulation/VTMidiMappingPanel.h"
#include "contraptions/VTContraption.h"
#include "document/VTDocument.h"
#include "platform/VTHelpViewer.h"

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kContraptionRole = Qt::UserRole + 1;

VTContraption* contraptionOf(const QTreeWidgetItem* item) {
    return reinterpret_cast<VTContraption*>(item->data(0, kContraptionRole).value<quintptr>());
}

}  // namespace

TConfigAutomationForm::TConfigAutomationForm(const VTModulationContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      tabs_(new QTabWidget(this)),
      tree_(new QTreeWidget),
      parameterLabel_(new QLabel),
      rangeLabel_(new QLabel),
      panel_(new VTMidiMappingPanel(context)),
      closeButton_(new QPushButton("Close", this)),
      helpButton_(new QPushButton("&Help", this)),
      switchWatch_(new QTimer(this)) {
    setObjectName("ConfigAutomationForm");
    setWindowTitle("Parameter Modulation");
    setModal(false);

    tabs_->addTab(buildSourcePage(), "MIDI Source");
    auto* rangePage = new QWidget;
    auto* rangeColumn = new QVBoxLayout(rangePage);
    rangeColumn->addWidget(new QLabel("Coming Soon...", rangePage), 0, Qt::AlignCenter);
    tabs_->addTab(rangePage, "MIDI Range");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);
    buttons->addWidget(helpButton_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(tabs_);
    column->addLayout(buttons);
    closeButton_->setDefault(true);

    connect(tree_, &QTreeWidget::itemSelectionChanged, this,
            &TConfigAutomationForm::selectionChanged);
    connect(panel_, &VTMidiMappingPanel::mappingChanged, this,
            &TConfigAutomationForm::markModified);
    connect(closeButton_, &QPushButton::clicked, this, &TConfigAutomationForm::closePressed);
    connect(helpButton_, &QPushButton::clicked, this, [] { VTHelpViewer::show(kHelpTopic); });
    // The quick-map buttons follow the main window's MIDI controller switch while open.
    switchWatch_->setInterval(250);
    connect(switchWatch_, &QTimer::timeout, panel_, &VTMidiMappingPanel::updateLearnAvailability);
    resize(560, 400);
}

TConfigAutomationForm::~TConfigAutomationForm() = default;

QWidget* TConfigAutomationForm::buildSourcePage() {
    auto* page = new QWidget;
    tree_->setObjectName("ParameterTree");
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    parameterLabel_->setObjectName("ParameterLabel");
    rangeLabel_->setObjectName("RangeLabel");

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Parameters:", page));
    left->addWidget(tree_, 1);

    auto* right = new QVBoxLayout;
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Parameter:", page));
    nameRow->addWidget(parameterLabel_, 1);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(new QLabel("Available Range:", page));
    rangeRow->addWidget(rangeLabel_, 1);
    right->addLayout(nameRow);
    right->addLayout(rangeRow);
    right->addWidget(panel_, 1);

    auto* row = new QHBoxLayout(page);
    row->addLayout(left, 1);
    row->addLayout(right, 1);
    return page;
}

void TConfigAutomationForm::rebuildTree() {
    const std::optional<VTMappedParameter> kept = selectedParameter();
    // What the user opened stays open.
    QSet<quintptr> expanded;
    for (int t = 0; t < tree_->topLevelItemCount(); ++t)
        if (tree_->topLevelItem(t)->isExpanded())
            expanded.insert(tree_->topLevelItem(t)->data(0, kContraptionRole).value<quintptr>());
    rebuilding_ = true;
    tree_->clear();
    if (VTDocument* document = context_.document ? context_.document() : nullptr) {
        for (int c = 0; c < document->ContraptionCount(); ++c) {
            VTContraption* contraption = document->ContraptionAt(c);
            auto* top = new QTreeWidgetItem(tree_, {QString::fromStdString(contraption->name())});
            top->setData(0, kContraptionRole, QVariant::fromValue(quintptr(contraption)));
            // Only parameters can be chosen, never a contraption itself.
            top->setFlags(Qt::ItemIsEnabled);
            const int count = contraption->processor().propertyTable().count();
            for (int i = VTMappedParameter::kPresetNumber; i < count; ++i) {
                if (!VTMappedParameter::isListed(*contraption, i)) continue;
                VTMappedParameter parameter(*contraption, i);
                auto* item = new QTreeWidgetItem(top, {QString::fromStdString(parameter.name())});
                item->setData(0, kIndexRole, i);
                item->setData(0, kContraptionRole, QVariant::fromValue(quintptr(contraption)));
            }
            top->setExpanded(expanded.contains(quintptr(contraption)));
        }
    }
    rebuilding_ = false;
    if (!kept || !select(*kept)) selectionChanged();
}

QTreeWidgetItem* TConfigAutomationForm::itemOf(const VTMappedParameter& parameter) const {
    for (int t = 0; t < tree_->topLevelItemCount(); ++t) {
        QTreeWidgetItem* top = tree_->topLevelItem(t);
        if (contraptionOf(top) != &parameter.contraption()) continue;
        for (int k = 0; k < top->childCount(); ++k)
            if (top->child(k)->data(0, kIndexRole).toInt() == parameter.index())
                return top->child(k);
    }
    return nullptr;
}

bool TConfigAutomationForm::select(const VTMappedParameter& parameter) {
    QTreeWidgetItem* item = itemOf(parameter);
    if (!item) return false;
    item->parent()->setExpanded(true);
    tree_->setCurrentItem(item);
    item->setSelected(true);
    tree_->scrollToItem(item);
    selectionChanged();
    return true;
}

std::optional<VTMappedParameter> TConfigAutomationForm::selectedParameter() const {
    const QList<QTreeWidgetItem*> items = tree_->selectedItems();
    if (items.isEmpty() || !items.front()->parent()) return std::nullopt;
    VTContraption* contraption = contraptionOf(items.front());
    if (!contraption) return std::nullopt;
    return VTMappedParameter(*contraption, items.front()->data(0, kIndexRole).toInt());
}

void TConfigAutomationForm::selectionChanged() {
    if (rebuilding_) return;
    std::optional<VTMappedParameter> parameter = selectedParameter();
    const VTDocument* document = context_.document ? context_.document() : nullptr;
    if (parameter && !parameter->isLiveIn(document)) parameter.reset();
    parameterLabel_->setText(parameter ? QString::fromStdString(parameter->qualifiedName()) : "");
    rangeLabel_->setText(parameter ? QString::fromStdString(parameter->rangeText()) : "");
    if (panel_->parameter() != parameter)
        panel_->setParameter(parameter);
    else
        panel_->showSources();
}

void TConfigAutomationForm::showFor(std::optional<VTMappedParameter> parameter) {
    rebuildTree();
    if (parameter) select(*parameter);
    show();
    raise();
    activateWindow();
}

void TConfigAutomationForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    panel_->updateLearnAvailability();
    switchWatch_->start();
}

void TConfigAutomationForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !rebuilding_) {
        // Contraptions may have come or gone while the window was in the background.
        rebuildTree();
    }
}

void TConfigAutomationForm::markModified() {
    if (VTDocument* document = context_.document ? context_.document() : nullptr)
        document->SetModified();
}

void TConfigAutomationForm::closePressed() {
    markModified();
    hide();
}

#include "KDGalleryWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>

#include "ui/KDDWKnob.h"
#include "ui/KDDWSlider.h"
#include "ui/KDFlatButton.h"
#include "ui/KDMeter.h"
#include "ui/KDNumberEdit.h"
#include "ui/KDPianoKeyboard.h"
#include "ui/KDRangeSlider.h"
#include "ui/qt/KDQtBrickTile.h"
#include "ui/qt/KDQtHosted.h"
#include "ui/qt/KDQtPatcherWidget.h"
#include "ui/qt/KDQtPatternedScrollBox.h"
#include "ui/qt/KDQtWinSplit.h"

namespace {


QWidget* Captioned(const QString& caption, QWidget* w) {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    v->addWidget(w, 0, Qt::AlignHCenter);
    auto* label = new QLabel(caption);
    label->setAlignment(Qt::AlignHCenter);
    v->addWidget(label);
    return box;
}

template <class T>
KDQtHosted<T>* Hosted(int w, int h) {
    auto* widget = new KDQtHosted<T>;
    widget->setFixedSize(w, h);
    return widget;
}

}  // namespace

KDGalleryWindow::KDGalleryWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Vantrel controls");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);

    // The main window's arrangement: properties pane, splitter, patcher.
    auto* panes = new QWidget;
    auto* h = new QHBoxLayout(panes);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    QWidget* properties = BuildPropertiesPane();
    auto* split = new KDQtWinSplit;
    split->control().SetMinTargetSize(120);
    h->addWidget(properties);
    h->addWidget(split);
    h->addWidget(BuildPatcherPane(), 1);
    split->SetTarget(properties, alLeft);
    properties->setFixedWidth(190);
    outer->addWidget(panes, 1);
    outer->addWidget(BuildControlsRow());
    resize(900, 560);
}

QWidget* KDGalleryWindow::BuildPatcherPane() {
    patcher_ = new KDQtPatcherWidget;
    patcher_->setMinimumSize(300, 240);
    KDPatcherPanel& p = patcher_->Panel();
    p.HorzScrollBar.Tracking = p.VertScrollBar.Tracking = true;
    KDPatcherNode* test = p.AddNode(24, 24, "TestGen_1", 0, 1, nullptr);
    KDPatcherNode* drums = p.AddNode(140, 20, "Drums_1", 1, 2, nullptr);
    KDPatcherNode* mixer = p.AddNode(70, 100, "Mixer4_1", 4, 2, nullptr);
    KDPatcherNode* reverb = p.AddNode(250, 170, "Reverb_1", 2, 2, nullptr);
    KDPatcherNode* out = p.AddNode(230, 270, "SoundOut", 2, 0, nullptr);
    p.AddConnection(test, 0, mixer, 0);
    p.AddConnection(drums, 0, mixer, 1);
    p.AddConnection(drums, 1, mixer, 2);
    p.AddConnection(mixer, 0, reverb, 0);
    p.AddConnection(mixer, 1, reverb, 1);
    p.AddConnection(reverb, 0, out, 0);
    KDPatcherConnection* wet = p.AddConnection(reverb, 1, out, 1);
    // The newest node is selected; Shift-click a wire to add it to the selection.
    p.AddNode(380, 20, "Delay_1", 1, 1, nullptr);
    const KDPoint mid{(wet->StartPoint().x + wet->EndPoint().x) / 2,
                      (wet->StartPoint().y + wet->EndPoint().y) / 2};
    p.MouseDown({mid.x, mid.y, KDMouseButton::Left, ssShift | ssLeft});
    p.MouseUp({mid.x, mid.y, KDMouseButton::Left, ssShift});
    return patcher_;
}

QWidget* KDGalleryWindow::BuildPropertiesPane() {
    auto* box = new KDQtPatternedScrollBox;
    box->SetTile(KDQtBrickTile());
    box->SetTileShiftPercent(50.0f);
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->addWidget(new QLabel("Mixer4_1"), 0, 0, 1, 2);
    for (int i = 0; i < 4; ++i) {
        auto* knob = Hosted<KDDWKnob>(36, 36);
        knob->control().SetTickStyle(tsAuto);
        knob->control().SetFrequency(0.1);
        knob->control().SetValue(0.2 + 0.2 * i);
        grid->addWidget(Captioned(QString("Gain %1").arg(i + 1), knob), 1 + i / 2, i % 2);
    }
    auto* tempo = Hosted<KDNumberEdit>(80, 21);
    tempo->control().SetMin(1);
    tempo->control().SetMax(240);
    tempo->control().SetValue(120);
    grid->addWidget(Captioned("Tempo", tempo), 3, 0, 1, 2);
    content->setMinimumSize(170, 420);
    box->SetContent(content);
    box->setWidgetResizable(true);
    return box;
}

QWidget* KDGalleryWindow::BuildControlsRow() {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(8);

    auto* knob = Hosted<KDDWKnob>(44, 44);
    knob->control().SetValue(0.65);
    h->addWidget(Captioned("Knob", knob));

    auto* logKnob = Hosted<KDDWKnob>(44, 44);
    logKnob->control().SetMin(20);
    logKnob->control().SetMax(3000);
    logKnob->control().SetScale(ksLogarithmic);
    logKnob->control().SetTickStyle(tsManual);
    for (double v : {20.0, 100.0, 1000.0, 3000.0}) logKnob->control().AddTick(v);
    logKnob->control().SetValue(244.9);
    h->addWidget(Captioned("Log knob", logKnob));

    auto* vslider = Hosted<KDDWSlider>(24, 100);
    vslider->control().SetTickStyle(tsAuto);
    vslider->control().SetFrequency(0.25);
    vslider->control().SetValue(0.7);
    h->addWidget(Captioned("Slider", vslider));

    auto* hslider = Hosted<KDDWSlider>(110, 24);
    hslider->control().SetOrientation(soHorizontal);
    hslider->control().SetValue(0.3);
    h->addWidget(Captioned("Horizontal", hslider));

    auto* range = Hosted<KDRangeSlider>(24, 100);
    range->control().SetValue0(0.2);
    range->control().SetValue1(0.6);
    h->addWidget(Captioned("Range", range));

    auto* numbers = new QWidget;
    auto* nv = new QVBoxLayout(numbers);
    nv->setContentsMargins(0, 0, 0, 0);
    auto* plain = Hosted<KDNumberEdit>(80, 21);
    plain->control().SetValue(42);
    auto* limited = Hosted<KDNumberEdit>(80, 21);
    limited->control().KeyDown({KDKey::Character, U'a', ssCtrl});
    limited->control().TypeText("150");  // above Max: shows the plus mark
    auto* bad = Hosted<KDNumberEdit>(80, 21);
    bad->control().SetMin(-10);
    bad->control().SetMax(10);
    bad->control().KeyDown({KDKey::Character, U'a', ssCtrl});
    bad->control().TypeText("-");  // unreadable: the cross
    nv->addWidget(plain);
    nv->addWidget(limited);
    nv->addWidget(bad);
    h->addWidget(Captioned("Number fields", numbers));

    auto* buttons = new QWidget;
    auto* bh = new QHBoxLayout(buttons);
    bh->setContentsMargins(0, 0, 0, 0);
    bh->setSpacing(2);
    auto* help = Hosted<KDFlatButton>(16, 14);
    help->control().Glyph = fgHelp;
    auto* pinned = Hosted<KDFlatButton>(16, 14);
    pinned->control().SetCaption("P");
    pinned->control().SetDown(true);
    auto* close = Hosted<KDFlatButton>(16, 14);
    close->control().Glyph = fgClose;
    bh->addWidget(help);
    bh->addWidget(pinned);
    bh->addWidget(close);
    h->addWidget(Captioned("Flat buttons", buttons));

    auto* meters = new QWidget;
    auto* mh = new QHBoxLayout(meters);
    mh->setContentsMargins(0, 0, 0, 0);
    auto* stereo = Hosted<KDMeter>(26, 102);
    stereo->control().SetSegmentCount(14);
    stereo->control().SetChannelCount(2);
    stereo->control().SetCaption("Out");
    stereo->control().SetValues(0, 0.5f);
    stereo->control().SetValues(1, 1.0f);
    auto* flat = Hosted<KDMeter>(120, 16);
    flat->control().SetOrientation(trHorizontal);
    flat->control().SetSegmentCount(14);
    flat->control().SetCaption("SoundIn");
    flat->control().SetValues(0, 0.06f);
    mh->addWidget(stereo);
    mh->addWidget(flat, 0, Qt::AlignVCenter);
    h->addWidget(Captioned("Meters", meters));

    auto* keys = Hosted<KDPianoKeyboard>(300, 65);
    keys->setMinimumSize(0, 0);
    keys->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    keys->setFixedHeight(65);
    keys->control().SetBottomKey(36);
    keys->control().SetKeyRange(30);
    keys->control().SetAutoSize(true);
    keys->control().SetSelectedKey(48);
    h->addWidget(Captioned("Piano keyboard", keys));
    h->addStretch(1);
    return row;
}

#include "editors/TPianoNotes.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "params/SGValueFormat.h"

namespace {

constexpr int kWhiteKeyWidth = 9;
constexpr int kKeyboardHeight = 50;

}  // namespace

TPianoNotes::Picker& TPianoNotes::picker() {
    static Picker installed;
    return installed;
}

void TPianoNotes::setPicker(Picker p) { picker() = std::move(p); }

int TPianoNotes::pick(QPoint globalCentre, int bottomKey, int keyCount, int current) {
    if (picker()) return picker()(bottomKey, keyCount, current);
    TPianoNotes notes(bottomKey, keyCount, current);
    notes.open(globalCentre);
    QEventLoop loop;
    notes.loop_ = &loop;
    if (!notes.isDone()) loop.exec();
    notes.loop_ = nullptr;
    return notes.result();
}

TPianoNotes::TPianoNotes(int bottomKey, int keyCount, int current)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint) {
    setWindowTitle("Select A Note...");
    setAttribute(Qt::WA_ShowWithoutActivating);
    keys_ = new KDQtHosted<KDPianoKeyboard>(this);
    Keyboard().SetBottomKey(bottomKey);
    Keyboard().SetKeyRange(keyCount - 1);
    int whiteKeys = 0;
    for (int key = bottomKey; key < bottomKey + keyCount && key < 128; ++key)
        whiteKeys += KDPianoKeyboard::IsBlack(key) ? 0 : 1;
    keys_->setGeometry(4, 4, whiteKeys * kWhiteKeyWidth + 1, kKeyboardHeight);
    keys_->setMouseTracking(true);
    keys_->installEventFilter(this);
    Keyboard().SetSelectedKey(current);

    const int rowTop = kKeyboardHeight + 8;
    name_ = new QLabel(this);
    name_->setGeometry(8, rowTop, 60, 22);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setGeometry(keys_->geometry().right() - 76, rowTop, 76, 22);
    QObject::connect(cancel_, &QPushButton::clicked, this, [this] { finish(-1); });
    setFixedSize(std::max(keys_->width() + 8, 170), rowTop + 26);
    showName(current);
}

TPianoNotes::~TPianoNotes() = default;

void TPianoNotes::open(QPoint globalCentre) {
    QRect at(QPoint(0, 0), size());
    at.moveCenter(globalCentre);
    QScreen* screen = QGuiApplication::screenAt(globalCentre);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        const int right = std::max(room.left(), room.right() - at.width() + 1);
        const int bottom = std::max(room.top(), room.bottom() - at.height() + 1);
        at.moveTopLeft(
            {std::clamp(at.left(), room.left(), right), std::clamp(at.top(), room.top(), bottom)});
    }
    move(at.topLeft());
    show();
}

bool TPianoNotes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == keys_) {
        if (event->type() == QEvent::MouseMove) {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            const int key = Keyboard().KeyAt(p.x(), p.y());
            if (key > 0) showName(key);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            const int key = Keyboard().KeyAt(p.x(), p.y());
            if (key > 0) {
                finish(key);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TPianoNotes::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    finish(-1);
}

void TPianoNotes::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    finish(result_);
}

void TPianoNotes::finish(int note) {
    if (done_) return;
    done_ = true;
    result_ = note;
    hide();
    if (loop_) loop_->quit();
}

void TPianoNotes::showName(int note) {
    name_->setText(note > 0 ? QString::fromStdString(SGValueFormat::noteName(note)) : QString());
}

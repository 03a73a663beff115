#include "editors/KDQtTextClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool KDQtTextClipboard::hasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

std::string KDQtTextClipboard::text(std::size_t maxChars) const {
    if (!hasText()) return {};
    std::string all = QGuiApplication::clipboard()->text().toStdString();
    // The text stops at a NUL, as a zero-terminated clipboard text would.
    all = all.substr(0, all.find('\0'));
    return maxChars < all.size() ? all.substr(0, maxChars) : all;
}

void KDQtTextClipboard::setText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

#pragma once

#include <QString>
#include <QWidget>
#include <string>

// Panel 0 of the main window's status bar: the processing load while audio runs, in red when
// the engine reported a late buffer since the last reading. While audio is off nothing is
// drawn.
class TStatusLoadPanel : public QWidget {
public:
    static constexpr int kWidth = 110;

    explicit TStatusLoadPanel(QWidget* parent = nullptr);

    void Show(const std::string& text, bool overloaded);
    void Clear();

    bool Active() const { return active_; }
    const QString& Text() const { return text_; }
    bool Overloaded() const { return overloaded_; }
    // The colour the text is drawn in.
    QColor TextColor() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString text_;
    bool overloaded_ = false;
    bool active_ = false;
};

#pragma once

#include <QMenu>
#include <QWidget>
#include <array>
#include <cstdint>

class QEventLoop;

// The preset menu: a borderless grid of the 20 slots, 5 across and 4 down, that drops down from
// an editor's preset button. Set slots are labelled plainly and empty ones engraved; a left
// click on a set slot recalls it, a right click offers the slot's actions. It holds the mouse
// while it is open, so any press outside it closes it. One menu serves the whole program.
class TPresetMenuForm : public QWidget {
public:
    enum Action : std::uint8_t { None = 0, Recall, Store, Clear, Cut, Copy, Paste };

    TPresetMenuForm();
    ~TPresetMenuForm() override;

    // The program's menu, built on first use.
    static TPresetMenuForm& instance();

    // Opens the menu with its top-left corner at a screen point, runs until it closes and
    // tells whether an action was chosen; action and highlighted then say which, for which
    // slot (1 ... 20).
    bool popup(int x, int y);
    // The first half of popup: placed, shown and holding the mouse, without waiting.
    void open(int x, int y);
    // Closes the menu (and ends a running popup).
    void closeMenu();

    // Filled in by the caller before each opening, indexed by slot number 1 ... 20.
    std::array<bool, 21> filled{};
    bool pasteAvailable = false;
    // The slot under the mouse, or -1; kept from one opening to the next.
    int highlighted = 17;
    std::uint8_t action = None;

    int cellWidth() const { return cellWidth_; }
    int cellHeight() const { return cellHeight_; }
    // The slot at a client point, or -1 on the frame and the margin around the cells.
    int hitTest(int x, int y) const;
    QRect cellRect(int slot) const;
    // Where the menu goes for a requested top-left corner so that it stays on the screen.
    static QPoint fitToScreen(QPoint topLeft, QSize size, QSize screen);

    QMenu PopupMenu;
    QAction* RecalItem;
    QAction* StoreItem;
    QAction* ClearItem;
    QAction* CutItem;
    QAction* CopyItem;
    QAction* PasteItem;
    bool contextMenuOpen() const { return contextOpen_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void highlight(int slot);
    void openContextMenu(QPoint screenPosition);
    void applicationDeactivated();

    int cellWidth_ = 0;
    int cellHeight_ = 0;
    bool contextOpen_ = false;
    QEventLoop* loop_ = nullptr;
};

#pragma once

// Plain input events as the hosts deliver them, in control client pixels.

// Modifier keys and held buttons, as a set of bits.
enum KDShiftState : unsigned {
    ssNone = 0,
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
};

enum class KDMouseButton { None, Left, Right, Middle };

struct KDMouseEvent {
    int x = 0;
    int y = 0;
    KDMouseButton button = KDMouseButton::None;  // the button pressed or released; None on moves
    unsigned shift = ssNone;                     // modifiers and buttons held
    bool Has(KDShiftState s) const { return (shift & s) != 0; }
};

enum class KDKey {
    None,
    Character,  // ch holds the character typed (a letter in lower case when Ctrl is held)
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    Delete,
    Backspace,
    Return,
    Escape,
    Shift,
    Ctrl,
    Alt,
};

struct KDKeyEvent {
    KDKey key = KDKey::None;
    char32_t ch = 0;
    unsigned shift = ssNone;  // modifiers held after the key went down or up
    bool Has(KDShiftState s) const { return (shift & s) != 0; }
};

struct KDWheelEvent {
    int x = 0;
    int y = 0;
    int deltaX = 0;  // in eighths of a degree, 120 to a notch, positive away from the user / right
    int deltaY = 0;
    unsigned shift = ssNone;
};

enum class KDCursor { Default, SizeNS, SizeWE };

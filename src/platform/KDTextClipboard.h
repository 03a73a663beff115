#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text side of the desktop clipboard. The GUI installs an implementation over the
// window system's clipboard; tests and the command line use KDMemoryClipboard. Texts are
// zero-terminated on the clipboard, so a text never holds a NUL character.
class KDTextClipboard {
public:
    virtual ~KDTextClipboard() = default;

    // Whether the clipboard offers plain text at the moment.
    virtual bool hasText() const = 0;
    // The clipboard's text, at most maxChars characters of it; empty when it offers none.
    virtual std::string text(std::size_t maxChars = std::string::npos) const = 0;
    // Replaces the clipboard's contents by the text (up to its first NUL, if any).
    virtual void setText(std::string_view text) = 0;

    // The clipboard the program's components use: the installed one, or a process-wide
    // in-memory clipboard while none is installed. Both calls belong to the UI thread.
    static KDTextClipboard& current();
    // Installs a clipboard (the caller keeps it alive until it installs nullptr again).
    static void install(KDTextClipboard* clipboard);
};

// A text shown to the user in a box, kept as the pieces it was joined from.
// The program's own sentences are Shift-JIS whatever system it runs on,
// while paths, list entries and window class names come in the system's
// ANSI code page; the box converts each piece from its own code page, so the
// text reads right on any system. On a Japanese system the two are one.
#pragma once

#include <string>
#include <utility>
#include <vector>

class UserText {
public:
    struct Piece {
        bool own = false;  // the program's own Shift-JIS text
        std::string bytes;
    };

    UserText() = default;
    // A sentence of the program's own, alone.
    UserText(const char* own) { Own(own); }  // NOLINT: a sentence reads as its text

    UserText& Own(std::string shiftJis) { return Add(true, std::move(shiftJis)); }
    UserText& Ansi(std::string text) { return Add(false, std::move(text)); }

    const std::vector<Piece>& Pieces() const { return pieces_; }
    // The pieces joined byte for byte, as a Japanese system shows them.
    std::string Bytes() const {
        std::string bytes;
        for (const Piece& piece : pieces_) bytes += piece.bytes;
        return bytes;
    }

private:
    UserText& Add(bool own, std::string bytes) {
        if (!bytes.empty()) pieces_.push_back(Piece{own, std::move(bytes)});
        return *this;
    }

    std::vector<Piece> pieces_;
};

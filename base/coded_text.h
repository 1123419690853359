#pragma once
// A text on its way to the Unicode API: its bytes in pieces, each with the code page it is in.
// The program's own texts are Shift-JIS on every Windows; what it takes from the system (a file
// name, a window's caption) is in the system's ANSI code page. Only the boundary converts.
#include <string>
#include <string_view>
#include <vector>

enum class TCodePage : unsigned {
    SystemAnsi = 0,  // CP_ACP
    ShiftJis = 932,  // named, so that it holds whatever the system's code page
};

struct TTextPiece {
    TCodePage CodePage;
    std::string Bytes;
};

class TCodedText {
public:
    TCodedText() = default;
    TCodedText(TCodePage codePage, std::string_view bytes) { Append(codePage, bytes); }

    TCodedText& Append(TCodePage codePage, std::string_view bytes);
    // Keeps at most limit bytes, counted over all pieces.
    void Truncate(std::size_t limit);
    const std::vector<TTextPiece>& Pieces() const { return pieces_; }
    // The bytes of every piece, joined: what an ANSI call would have been given.
    std::string Bytes() const;

private:
    std::vector<TTextPiece> pieces_;
};

// The program's own text, and a text from the system.
inline TCodedText OwnText(std::string_view bytes) { return {TCodePage::ShiftJis, bytes}; }
inline TCodedText SystemText(std::string_view bytes) { return {TCodePage::SystemAnsi, bytes}; }

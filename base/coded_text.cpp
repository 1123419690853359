#include "base/coded_text.h"

// Neighbours in one code page share a piece, so a conversion never splits what one code page
// joins.
TCodedText& TCodedText::Append(TCodePage codePage, std::string_view bytes) {
    if (bytes.empty()) return *this;
    if (!pieces_.empty() && pieces_.back().CodePage == codePage) {
        pieces_.back().Bytes += bytes;
    } else {
        pieces_.push_back({codePage, std::string(bytes)});
    }
    return *this;
}

void TCodedText::Truncate(std::size_t limit) {
    std::size_t kept = 0;
    for (auto piece = pieces_.begin(); piece != pieces_.end(); ++piece) {
        if (kept + piece->Bytes.size() <= limit) {
            kept += piece->Bytes.size();
            continue;
        }
        piece->Bytes.resize(limit - kept);
        pieces_.erase(piece->Bytes.empty() ? piece : piece + 1, pieces_.end());
        return;
    }
}

std::string TCodedText::Bytes() const {
    std::string bytes;
    for (const TTextPiece& piece : pieces_) bytes += piece.Bytes;
    return bytes;
}

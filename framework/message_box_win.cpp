#include "framework/message_box.h"

namespace {

std::wstring WidePiece(const TTextPiece& piece) {
    const UINT codePage = static_cast<UINT>(piece.CodePage);
    const int byteCount = static_cast<int>(piece.Bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, piece.Bytes.data(), byteCount, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, piece.Bytes.data(), byteCount, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring WideText(const TCodedText& text) {
    std::wstring wide;
    for (const TTextPiece& piece : text.Pieces()) wide += WidePiece(piece);
    return wide;
}

int CodedMessageBox(HWND owner, const TCodedText& text, const TCodedText& caption, UINT flags) {
    return MessageBoxW(owner, WideText(text).c_str(), WideText(caption).c_str(), flags);
}

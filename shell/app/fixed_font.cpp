// A fixed-pitch face for the console and the command bar: the configured one when it is
// installed and fixed, else the first installed of a few common fixed-pitch faces, so that
// columns line up on every system.
#include "tovrel.h"

namespace {

constexpr const wchar_t *kFixedFaces[] = {L"Consolas", L"Lucida Console", L"Courier New", L"Liberation Mono",
                                          L"DejaVu Sans Mono", L"Courier"};

int CALLBACK noteFixedFace(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM found) {
    if ((font->lfPitchAndFamily & 0x3) == FIXED_PITCH) *reinterpret_cast<bool *>(found) = true;
    return 1;
}

bool fixedFaceInstalled(HDC dc, const std::wstring &face) {
    if (face.empty() || face.size() >= LF_FACESIZE) return false;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, face.size());
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, noteFixedFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

} // namespace

std::wstring Tovrel::FixedPitchFace(const std::wstring &wanted) {
    HDC dc = GetDC(nullptr);
    std::wstring face = wanted;
    if (!fixedFaceInstalled(dc, face)) {
        face = wanted; // nothing better: the system maps it
        for (const wchar_t *candidate : kFixedFaces)
            if (fixedFaceInstalled(dc, candidate)) {
                face = candidate;
                break;
            }
    }
    ReleaseDC(nullptr, dc);
    return face;
}

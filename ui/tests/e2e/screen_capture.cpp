#include "ui/tests/e2e/screen_capture.h"

#include <cstdio>
#include <cstring>

namespace veskora::e2e {
namespace {

template <class T>
void Append(std::vector<unsigned char>& bytes, const T& value) {
    const auto* start = reinterpret_cast<const unsigned char*>(&value);
    bytes.insert(bytes.end(), start, start + sizeof value);
}

}  // namespace

std::optional<Picture> CaptureScreen(const RECT& screen) {
    Picture picture;
    picture.width = screen.right - screen.left;
    picture.height = screen.bottom - screen.top;
    if (picture.width <= 0 || picture.height <= 0) return std::nullopt;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screenDc = GetDC(nullptr);
    HDC memoryDc = CreateCompatibleDC(screenDc);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (bitmap != nullptr && memoryDc != nullptr) {
        HGDIOBJ previous = SelectObject(memoryDc, bitmap);
        copied = BitBlt(memoryDc, 0, 0, picture.width, picture.height, screenDc, screen.left,
                        screen.top, SRCCOPY) != 0;
        GdiFlush();
        if (copied) {
            picture.pixels.resize(static_cast<std::size_t>(picture.width) *
                                  static_cast<std::size_t>(picture.height));
            std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(std::uint32_t));
            for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFFu;
        }
        SelectObject(memoryDc, previous);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memoryDc != nullptr) DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);
    if (!copied) return std::nullopt;
    return picture;
}

bool WriteBmp(const Picture& picture, const std::wstring& path) {
    const auto rowBytes = static_cast<std::uint32_t>(picture.width) * 4u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;  // rows from the bottom, as every viewer reads them
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageBytes;

    std::vector<unsigned char> bytes;
    bytes.reserve(file.bfSize);
    Append(bytes, file);
    Append(bytes, header);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) Append(bytes, picture.At(x, y));
    }
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

std::uint32_t PictureColour(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

bool IsInk(std::uint32_t pixel) {
    const std::uint32_t red = (pixel >> 16) & 0xFF;
    const std::uint32_t green = (pixel >> 8) & 0xFF;
    const std::uint32_t blue = pixel & 0xFF;
    // Smoothed glyph edges are grey; the strokes themselves are darker.
    return red < 160 && green < 160 && blue < 160;
}

}  // namespace veskora::e2e

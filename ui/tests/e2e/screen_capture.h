// What is on the screen: a rectangle of it captured as pixels, and written
// as a BMP file for a person to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veskora::e2e {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows from the top

    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

std::optional<Picture> CaptureScreen(const RECT& screen);
bool WriteBmp(const Picture& picture, const std::wstring& path);

// A system colour as it appears in a Picture.
std::uint32_t PictureColour(COLORREF colour);
// Whether a pixel is dark enough to be part of black text, smoothing included.
bool IsInk(std::uint32_t pixel);

}  // namespace veskora::e2e

// Reading and writing the whole content of an edit box. The box holds
// UTF-16; the program's texts are GBK, converted with code page 936 whatever
// the system's own code page is.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "ui/text.h"

namespace veskora {

// The box's text as UTF-16, in storage of its own (not a Text).
class BoxText {
  public:
    explicit BoxText(HWND box);
    ~BoxText();
    BoxText(const BoxText&) = delete;
    BoxText& operator=(const BoxText&) = delete;

    std::wstring_view View() const { return {units_, length_}; }

  private:
    wchar_t* units_ = nullptr;
    std::size_t length_ = 0;
};

// UTF-16 to a GBK Text; an empty text gives an absent Text.
Text ToGbk(std::wstring_view text);

// The box's content as a Text the caller owns; absent when the box is empty.
Text ReadEditBoxText(HWND box);

// Replaces the box's whole content, unfiltered, and raises its
// content-changed event once. Returns the new length in UTF-16 units.
std::size_t WriteEditBoxText(HWND box, std::string_view text);

}  // namespace veskora

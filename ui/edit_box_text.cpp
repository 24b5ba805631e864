#include "ui/edit_box_text.h"

#include "ui/control_state.h"
#include "ui/program.h"
#include "ui/wide_text.h"

namespace veskora {
namespace {

// Scratch for UTF-16 texts comes from the process heap, so that the Texts
// themselves are the program's only requests to its own allocation.
wchar_t* AllocateUnits(std::size_t count) {
    const std::size_t bytes = count * sizeof(wchar_t);
    void* storage = HeapAlloc(GetProcessHeap(), 0, bytes);
    if (storage == nullptr) ReportStorageFailure(bytes);
    return static_cast<wchar_t*>(storage);
}

void FreeUnits(wchar_t* units) {
    if (units != nullptr) HeapFree(GetProcessHeap(), 0, units);
}

int ClampToInt(std::size_t length) {
    constexpr std::size_t kLargest = 0x7FFFFFFF;
    return static_cast<int>(length < kLargest ? length : kLargest);
}

}  // namespace

BoxText::BoxText(HWND box) {
    const LRESULT length = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return;
    const std::size_t room = static_cast<std::size_t>(length) + 1;
    units_ = AllocateUnits(room);
    const LRESULT copied =
        SendMessageW(box, WM_GETTEXT, static_cast<WPARAM>(room), reinterpret_cast<LPARAM>(units_));
    length_ = copied > 0 ? static_cast<std::size_t>(copied) : 0;
}

BoxText::~BoxText() {
    FreeUnits(units_);
}

Text ToGbk(std::wstring_view text) {
    if (text.empty()) return Text{};
    const int units = ClampToInt(text.size());
    const int bytes =
        WideCharToMultiByte(kGbkCodePage, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return Text{};
    Text gbk = MakeText(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(kGbkCodePage, 0, text.data(), units, gbk.bytes.get(), bytes, nullptr,
                        nullptr);
    return gbk;
}

Text ReadEditBoxText(HWND box) {
    const BoxText units(box);
    return ToGbk(units.View());
}

std::size_t WriteEditBoxText(HWND box, std::string_view text) {
    const int bytes = ClampToInt(text.size());
    const int units =
        bytes > 0 ? MultiByteToWideChar(kGbkCodePage, 0, text.data(), bytes, nullptr, 0) : 0;
    wchar_t* wide = AllocateUnits(static_cast<std::size_t>(units > 0 ? units : 0) + 1);
    if (units > 0) MultiByteToWideChar(kGbkCodePage, 0, text.data(), bytes, wide, units);
    wide[units > 0 ? units : 0] = L'\0';

    // The box's own change notices are held back, so that one write raises
    // exactly one content-changed event.
    ControlState* state = EditBoxStateOf(box);
    if (state != nullptr) state->quiet = true;
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
    FreeUnits(wide);
    if (state != nullptr) {
        state->quiet = false;
        RaiseEvent(state->windowId, state->description->id, kEventContentChanged);
    }
    return static_cast<std::size_t>(units > 0 ? units : 0);
}

}  // namespace veskora

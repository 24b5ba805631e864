#include "ui/tests/e2e/user_input.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/tests/e2e/waiting.h"

namespace veskora::e2e {
namespace {

INPUT KeyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_DELETE:
        case VK_INSERT:
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            break;
        default:
            break;
    }
    return input;
}

INPUT CharacterInput(wchar_t character, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(character);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
    return input;
}

// Absolute mouse coordinates run from 0 to 65535 across the primary screen;
// rounding up makes the system's rounding down land on the pixel itself.
LONG Normalised(LONG pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

// Every mouse event carries its place, so that a button lands where it is
// meant to even if the pointer was moved in between.
INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The system joins two clicks close in time and place into a double click,
// which an edit box takes as selecting a word, not as a click. Separate
// clicks at one place therefore wait for the double-click time to pass.
struct LastClick {
    POINT place{-1000, -1000};
    ULONGLONG time = 0;
};
LastClick lastClick;

}  // namespace

bool WouldJoinLastClick(POINT screen) {
    return std::abs(screen.x - lastClick.place.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
           std::abs(screen.y - lastClick.place.y) <= GetSystemMetrics(SM_CYDOUBLECLK) &&
           GetTickCount64() < lastClick.time + GetDoubleClickTime() + 50;
}

namespace {

void AwaitSeparateClick(POINT screen) {
    while (WouldJoinLastClick(screen)) Sleep(20);
}

void NoteClick(POINT screen) {
    lastClick = {screen, GetTickCount64()};
}

bool CursorAt(POINT screen) {
    POINT cursor{};
    return GetCursorPos(&cursor) && cursor.x == screen.x && cursor.y == screen.y;
}

}  // namespace

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, true));
    inputs.push_back(KeyInput(key, true));
    inputs.push_back(KeyInput(key, false));
    for (auto it = modifiers.end(); it != modifiers.begin();) {
        inputs.push_back(KeyInput(*--it, false));
    }
    Send(std::move(inputs));
}

void TypeText(std::wstring_view text) {
    for (wchar_t character : text) {
        const SHORT mapping = character < 0x80 ? VkKeyScanW(character) : SHORT{-1};
        if (mapping == -1) {
            Send({CharacterInput(character, true), CharacterInput(character, false)});
            continue;
        }
        const auto key = static_cast<WORD>(mapping & 0xFF);
        if ((mapping & 0x100) != 0) {
            PressKey(key, {VK_SHIFT});
        } else {
            PressKey(key);
        }
    }
}

bool MoveMouse(POINT screen) {
    Send({MouseInput(0, screen)});
    return WaitUntil([&] { return CursorAt(screen); });
}

void Click(POINT screen) {
    AwaitSeparateClick(screen);
    MoveMouse(screen);
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)});
    NoteClick(screen);
}

void DoubleClick(POINT screen) {
    AwaitSeparateClick(screen);
    MoveMouse(screen);
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen),
          MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)});
    NoteClick({-1000, -1000});
}

void Drag(POINT from, POINT to) {
    AwaitSeparateClick(from);
    MoveMouse(from);
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN, from)});
    constexpr int kSteps = 8;
    for (int step = 1; step <= kSteps; ++step) {
        MoveMouse(
            {from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
        Sleep(20);
    }
    Send({MouseInput(MOUSEEVENTF_LEFTUP, to)});
    NoteClick(to);
}

bool PutOnClipboard(std::wstring_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    target[text.size()] = L'\0';
    GlobalUnlock(memory);
    if (!WaitUntil([] { return OpenClipboard(nullptr) != 0; })) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) GlobalFree(memory);
    return placed;
}

}  // namespace veskora::e2e

// The window as it opens: place, frame, controls, texts, focus and look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/tests/e2e/e2e_fixture.h"
#include "ui/tests/e2e/screen_capture.h"
#include "ui/tests/e2e/user_input.h"
#include "ui/tests/e2e/waiting.h"
#include "ui/tests/e2e/window_probe.h"

namespace veskora::e2e {
namespace {

constexpr int kWindowWidth = 380;
constexpr int kWindowHeight = 181;

enum class Kind { EditBox, Label, Button };

struct ControlRow {
    int id;
    const char* name;
    Kind kind;
    int left;
    int top;
    int width;
    int height;
    const wchar_t* text;
    bool tabStop;
};

// The window description's controls, in its own order.
constexpr ControlRow kControls[] = {
    {kUnitLabel, "标签4", Kind::Label, 240, 56, 16, 24, L"mm", false},
    {kCalculateButton, "按钮1", Kind::Button, 264, 48, 80, 32, L"计算", true},
    {kResultBox, "编辑框3", Kind::EditBox, 152, 104, 192, 20, L"", true},
    {kResultLabel, "标签3", Kind::Label, 80, 104, 56, 24, L"输出结果", false},
    {kDiameterBox, "编辑框2", Kind::EditBox, 152, 56, 80, 20, L"21", true},
    {kDiameterLabel, "标签2", Kind::Label, 72, 56, 64, 24, L"同步轮直径", false},
    {kPulsesLabel, "标签1", Kind::Label, 24, 15, 112, 24, L"转动一圈的脉冲个数", false},
    {kPulsesBox, "编辑框1", Kind::EditBox, 152, 16, 80, 20, L"12800", true},
};

const wchar_t* ClassFor(Kind kind) {
    switch (kind) {
        case Kind::EditBox:
            return L"Edit";
        case Kind::Button:
            return L"Button";
        case Kind::Label:
            return L"VeskoraLabel";
    }
    return L"";
}

// An edit box is at least one line of the default GUI font plus the 3D
// edge above and below it tall.
int LeastEditHeight() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
}

BOOL CALLBACK CollectChildId(HWND child, LPARAM context) {
    reinterpret_cast<std::set<int>*>(context)->insert(GetDlgCtrlID(child));
    return TRUE;
}

#pragma pack(push, 2)
// The layout of an icon group resource.
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;  // 0 stands for 256
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK CollectResourceName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR context) {
    reinterpret_cast<std::vector<LPWSTR>*>(context)->push_back(name);
    return TRUE;
}

HMODULE LoadProgramResources() {
    return LoadLibraryExW(VeskoraPath().c_str(), nullptr,
                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

// The file's only icon group; nullptr unless there is exactly one.
LPWSTR TheIconGroup(HMODULE file) {
    std::vector<LPWSTR> groups;
    EnumResourceNamesW(file, RT_GROUP_ICON, CollectResourceName,
                       reinterpret_cast<LONG_PTR>(&groups));
    return groups.size() == 1 ? groups.front() : nullptr;
}

// An icon image as 0xAARRGGBB pixels, rows from the top.
struct IconImage {
    int size;
    std::vector<std::uint32_t> pixels;
};

std::optional<IconImage> IconPixels(HMODULE file, LPCWSTR group, int size) {
    HICON icon = static_cast<HICON>(LoadImageW(file, group, IMAGE_ICON, size, size, 0));
    if (icon == nullptr) return std::nullopt;
    ICONINFO info{};
    std::optional<IconImage> image;
    if (GetIconInfo(icon, &info) && info.hbmColor != nullptr) {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = size;
        format.bmiHeader.biHeight = -size;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        IconImage pixels{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size))};
        HDC dc = GetDC(nullptr);
        if (GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(size), pixels.pixels.data(), &format,
                      DIB_RGB_COLORS) == size) {
            image = std::move(pixels);
        }
        ReleaseDC(nullptr, dc);
    }
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return image;
}

bool CloseColour(std::uint32_t a, std::uint32_t b) {
    for (int shift : {0, 8, 16}) {
        const int x = static_cast<int>((a >> shift) & 0xFF);
        const int y = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(x - y) > 12) return false;
    }
    return true;
}

// Whether the icon's opaque pixels appear in the picture at that place.
bool ShowsAt(const Picture& picture, const IconImage& icon, int left, int top) {
    int opaque = 0;
    for (int y = 0; y < icon.size; ++y) {
        for (int x = 0; x < icon.size; ++x) {
            const std::uint32_t pixel = icon.pixels[static_cast<std::size_t>(y * icon.size + x)];
            if ((pixel >> 24) < 0xF8) continue;
            ++opaque;
            if (!CloseColour(pixel & 0xFFFFFF, picture.At(left + x, top + y))) return false;
        }
    }
    // Enough pixels that no chance colouring of the title bar matches them all.
    return opaque >= 16;
}

using WindowAtStart = VeskoraTest;

TEST_F(WindowAtStart, IsCentredFixedFrameWithCaption) {
    HWND window = Program().Window();
    EXPECT_EQ(ClassOf(window), kMainWindowClass);
    EXPECT_EQ(Utf8(TextOf(window)), "Veskora");

    // Centred on the primary screen's full area, each half truncated.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, (screenWidth - kWindowWidth) / 2);
    EXPECT_EQ(rect.top, (screenHeight - kWindowHeight) / 2);
    EXPECT_EQ(rect.right - rect.left, kWindowWidth);
    EXPECT_EQ(rect.bottom - rect.top, kWindowHeight);

    const LONG_PTR style = StyleOf(window);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & WS_MINIMIZEBOX, 0) << "no minimise button";
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0) << "no maximise button";
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "not sizable";
    EXPECT_EQ(style & WS_CHILD, 0);
    const LONG_PTR exStyle = ExStyleOf(window);
    EXPECT_EQ(exStyle & WS_EX_TOPMOST, 0) << "not always on top";
    EXPECT_EQ(exStyle & WS_EX_TOOLWINDOW, 0) << "has a taskbar button";
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "has a taskbar button";
    EXPECT_EQ(GetMenu(window), nullptr);

    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(GetForegroundWindow(), window);
}

TEST_F(WindowAtStart, ControlsFollowTheDescription) {
    const int leastEditHeight = LeastEditHeight();
    std::set<int> expectedIds;
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        expectedIds.insert(row.id);
        HWND control = Program().Control(row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), Program().Window());
        EXPECT_EQ(_wcsicmp(ClassOf(control).c_str(), ClassFor(row.kind)), 0)
            << Utf8(ClassOf(control));

        const int height =
            row.kind == Kind::EditBox ? std::max(row.height, leastEditHeight) : row.height;
        const RECT rect = RectInParent(control);
        EXPECT_EQ(rect.left, row.left);
        EXPECT_EQ(rect.top, row.top);
        EXPECT_EQ(rect.right - rect.left, row.width);
        EXPECT_EQ(rect.bottom - rect.top, height);

        EXPECT_EQ(Utf8(TextOf(control)), Utf8(row.text));
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        EXPECT_EQ((StyleOf(control) & WS_TABSTOP) != 0, row.tabStop);
    }
    std::set<int> actualIds;
    EnumChildWindows(Program().Window(), CollectChildId, reinterpret_cast<LPARAM>(&actualIds));
    EXPECT_EQ(actualIds, expectedIds) << "the window holds exactly the described controls";
}

TEST_F(WindowAtStart, EditBoxesAndButtonHaveTheirStyles) {
    for (int id : {kPulsesBox, kDiameterBox, kResultBox}) {
        SCOPED_TRACE(id);
        HWND box = Program().Control(id);
        const LONG_PTR style = StyleOf(box);
        EXPECT_NE(style & ES_AUTOHSCROLL, 0) << "scrolls sideways";
        EXPECT_EQ(style & (ES_CENTER | ES_RIGHT), 0) << "left-aligned";
        EXPECT_EQ(style & ES_MULTILINE, 0);
        EXPECT_EQ(style & ES_READONLY, 0);
        EXPECT_EQ(style & ES_PASSWORD, 0);
        EXPECT_EQ(style & (ES_UPPERCASE | ES_LOWERCASE), 0);
        EXPECT_EQ(style & ES_NOHIDESEL, 0) << "selection hidden without the focus";
        EXPECT_EQ(style & ES_NUMBER, 0) << "'-' and '.' must get through";
        EXPECT_NE(ExStyleOf(box) & WS_EX_CLIENTEDGE, 0) << "sunken edge";
    }
    const LONG_PTR button = StyleOf(Program().Control(kCalculateButton));
    EXPECT_EQ(button & BS_TYPEMASK, BS_PUSHBUTTON) << "a push button, not the default one";
    EXPECT_NE(button & BS_MULTILINE, 0) << "its text may break onto several lines";
    EXPECT_EQ(button & (BS_BITMAP | BS_ICON), 0);
}

TEST_F(WindowAtStart, FocusIsInPulsesBoxWithCaretBeforeTheText) {
    EXPECT_EQ(Program().Focus(), Program().Control(kPulsesBox));
    EXPECT_EQ(SelectionOf(Program().Control(kPulsesBox)), (Selection{0, 0}));
    EXPECT_EQ(ActiveOf(Program().Thread()), Program().Window());
}

TEST_F(WindowAtStart, LabelsNeverTakeTheFocus) {
    // After each click on a label a typed digit must still land in 编辑框1.
    std::wstring expected = L"12800";
    for (int label : {kPulsesLabel, kDiameterLabel, kResultLabel, kUnitLabel}) {
        SCOPED_TRACE(label);
        EXPECT_EQ(StyleOf(Program().Control(label)) & WS_TABSTOP, 0);
        Program().ClickControl(label);
        TypeText(L"9");
        expected = L"9" + expected;
        EXPECT_TRUE(Program().WaitForText(kPulsesBox, expected))
            << Utf8(Program().Text(kPulsesBox));
        EXPECT_EQ(Program().Focus(), Program().Control(kPulsesBox));
    }
}

// The program file carries one icon of eight 32-bit images.
TEST_F(WindowAtStart, ProgramFileCarriesTheIcon) {
    HMODULE file = LoadProgramResources();
    ASSERT_NE(file, nullptr);
    const LPWSTR group = TheIconGroup(file);
    ASSERT_NE(group, nullptr) << "not exactly one icon";
    HRSRC found = FindResourceW(file, group, RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto* header =
        static_cast<const GroupIconHeader*>(LockResource(LoadResource(file, found)));
    ASSERT_NE(header, nullptr);
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    std::multiset<int> sizes;
    for (WORD i = 0; i < header->count; ++i) {
        const GroupIconEntry& entry = entries[i];
        SCOPED_TRACE(entry.width);
        sizes.insert(entry.width == 0 ? 256 : entry.width);
        EXPECT_EQ(entry.width, entry.height) << "square";
        EXPECT_EQ(entry.bitCount, 32);
        EXPECT_NE(FindResourceW(file, MAKEINTRESOURCEW(entry.id), RT_ICON), nullptr);
    }
    EXPECT_EQ(sizes, (std::multiset<int>{16, 24, 32, 48, 64, 72, 96, 128}));
    FreeLibrary(file);
}

// The title bar shows the program's own small icon: its opaque pixels are
// found there as they are in the file.
TEST_F(WindowAtStart, TitleBarShowsTheProgramIcon) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    HMODULE file = LoadProgramResources();
    ASSERT_NE(file, nullptr);
    const LPWSTR group = TheIconGroup(file);
    ASSERT_NE(group, nullptr);
    const auto icon = IconPixels(file, group, size);
    FreeLibrary(file);
    ASSERT_TRUE(icon.has_value());

    ASSERT_TRUE(Responds(Program().Window(), kReactionTimeoutMs));
    RECT outer{};
    GetWindowRect(Program().Window(), &outer);
    const RECT titleStart{outer.left, outer.top, outer.left + 4 * size,
                          outer.top + GetSystemMetrics(SM_CYCAPTION) + 8};
    const auto title = CaptureScreen(titleStart);
    ASSERT_TRUE(title.has_value());
    bool shown = false;
    for (int top = 0; !shown && top + size <= title->height; ++top) {
        for (int left = 0; !shown && left + size <= title->width; ++left) {
            shown = ShowsAt(*title, *icon, left, top);
        }
    }
    EXPECT_TRUE(shown) << "the program's icon is not in the title bar";
}

TEST_F(WindowAtStart, CanBeMovedButNotResizedOrMaximised) {
    HWND window = Program().Window();
    RECT before{};
    GetWindowRect(window, &before);

    // Dragging the title bar moves the window.
    const POINT grip = Program().CaptionPoint();
    Drag(grip, {grip.x + 40, grip.y + 30});
    RECT moved{};
    EXPECT_TRUE(WaitUntil([&] {
        GetWindowRect(window, &moved);
        return moved.left == before.left + 40 && moved.top == before.top + 30;
    })) << "window at "
        << moved.left << "," << moved.top;
    EXPECT_EQ(moved.right - moved.left, kWindowWidth);

    // Dragging the lower right corner does not resize it.
    const POINT corner{moved.right - 2, moved.bottom - 2};
    Drag(corner, {corner.x + 50, corner.y + 40});
    // A double click on the title bar would maximise a window that can be.
    DoubleClick(Program().CaptionPoint());
    // The key reaching the focused box shows that the gestures are done.
    PressKey(VK_END);
    TypeText(L"5");
    EXPECT_TRUE(Program().WaitForText(kPulsesBox, L"128005"));
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_EQ(after.right - after.left, kWindowWidth);
    EXPECT_EQ(after.bottom - after.top, kWindowHeight);
    EXPECT_FALSE(IsZoomed(window));
}

// What a user sees: labels painted in the face colour with black text,
// white edit boxes, the defaults written in the number boxes. The picture
// is kept for a person to look at as well.
TEST_F(WindowAtStart, LooksAsDescribed) {
    HWND window = Program().Window();
    // Let the first paint finish: the window answers once it has been done.
    ASSERT_TRUE(Responds(window, kReactionTimeoutMs));
    RECT outer{};
    GetWindowRect(window, &outer);
    std::optional<Picture> picture;
    ASSERT_TRUE(WaitUntil([&] {
        picture = CaptureScreen(outer);
        return picture.has_value();
    }));
    EXPECT_TRUE(WriteBmp(*picture, OutputFolder() + L"\\veskora-window.bmp"));

    const std::uint32_t face = PictureColour(GetSysColor(COLOR_BTNFACE));
    const std::uint32_t white = PictureColour(GetSysColor(COLOR_WINDOW));
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    auto pixel = [&](int clientX, int clientY) {
        return picture->At(origin.x - outer.left + clientX, origin.y - outer.top + clientY);
    };
    auto inkIn = [&](const RECT& r) {
        int ink = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) ink += IsInk(pixel(x, y)) ? 1 : 0;
        }
        return ink;
    };

    for (int label : {kPulsesLabel, kDiameterLabel, kResultLabel, kUnitLabel}) {
        SCOPED_TRACE(label);
        const RECT r = RectInParent(Program().Control(label));
        // The box's outline is the face colour, its text black.
        for (int x = r.left; x < r.right; ++x) {
            EXPECT_EQ(pixel(x, r.top), face) << "x " << x;
            EXPECT_EQ(pixel(x, r.bottom - 1), face) << "x " << x;
        }
        EXPECT_GT(inkIn(r), 10);
    }
    for (int box : {kPulsesBox, kDiameterBox, kResultBox}) {
        SCOPED_TRACE(box);
        const RECT r = RectInParent(Program().Control(box));
        const RECT inside{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        EXPECT_EQ(pixel(inside.right - 2, (r.top + r.bottom) / 2), white);
        // Only the number boxes hold text, and 编辑框3 has no caret.
        if (box == kResultBox) {
            EXPECT_EQ(inkIn(inside), 0);
        } else {
            EXPECT_GT(inkIn(inside), 20);
        }
    }
    const RECT button = RectInParent(Program().Control(kCalculateButton));
    EXPECT_GT(inkIn({button.left + 8, button.top + 6, button.right - 8, button.bottom - 6}), 10);
    // The background between the controls.
    EXPECT_EQ(pixel(8, 140), face);
}

}  // namespace
}  // namespace veskora::e2e

// The program's life: how it ends, its command line, several copies, and
// the folder it runs in.
#include <gtest/gtest.h>

#include <string>

#include "ui/tests/e2e/e2e_fixture.h"
#include "ui/tests/e2e/user_input.h"
#include "ui/tests/e2e/waiting.h"
#include "ui/tests/e2e/window_probe.h"

namespace veskora::e2e {
namespace {

constexpr const wchar_t* kDefaultResult = L"194.0174577454";

enum class Closing { Escape, AltF4, CloseButton, CloseMessage, SystemMenu };

const char* NameOf(Closing way) {
    switch (way) {
        case Closing::Escape:
            return "Esc";
        case Closing::AltF4:
            return "Alt+F4";
        case Closing::CloseButton:
            return "close button";
        case Closing::CloseMessage:
            return "WM_CLOSE";
        case Closing::SystemMenu:
            return "system menu";
    }
    return "";
}

class Lifetime : public VeskoraTest {
  protected:
    void SetUp() override {}
};

// However the window is closed, whatever the boxes hold, the program ends
// at once with status 0.
TEST_F(Lifetime, ClosingTheWindowEndsWithStatusZero) {
    for (Closing way : {Closing::Escape, Closing::AltF4, Closing::CloseButton,
                        Closing::CloseMessage, Closing::SystemMenu}) {
        SCOPED_TRACE(NameOf(way));
        Start(VeskoraPath());
        ASSERT_NE(program_, nullptr);
        TypeText(L"-.");
        PressKey(VK_TAB);
        TypeText(L"0");
        ASSERT_TRUE(Program().WaitForText(kDiameterBox, L"0"));
        switch (way) {
            case Closing::Escape:
                PressKey(VK_ESCAPE);
                break;
            case Closing::AltF4:
                PressKey(VK_F4, {VK_MENU});
                break;
            case Closing::CloseButton: {
                const auto point = Program().CloseButtonPoint();
                ASSERT_TRUE(point.has_value()) << "no close button";
                Click(*point);
                break;
            }
            case Closing::CloseMessage:
                PostMessageW(Program().Window(), WM_CLOSE, 0, 0);
                break;
            case Closing::SystemMenu:
                // Alt+Space opens the system menu; C is the access key of Close.
                PressKey(VK_SPACE, {VK_MENU});
                ASSERT_TRUE(WaitUntil([&] { return MenuOwnerOf(Program().Thread()) != nullptr; }))
                    << "no system menu";
                PressKey('C');
                break;
        }
        const auto status = Program().WaitForExit();
        ASSERT_TRUE(status.has_value()) << "still running";
        EXPECT_EQ(*status, 0u);
        EXPECT_TRUE(Program().MessageBoxes().empty());
        program_.reset();
    }
}

TEST_F(Lifetime, CommandLineArgumentsChangeNothing) {
    for (const wchar_t* arguments :
         {L"1 2", L"/?", L"--help -x 0", L"\"C:\\no such file.txt\"", L"12800 0"}) {
        SCOPED_TRACE(Utf8(arguments));
        Start(VeskoraPath(), arguments);
        ASSERT_NE(program_, nullptr);
        RECT rect{};
        GetWindowRect(Program().Window(), &rect);
        EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 380) / 2);
        EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 181) / 2);
        EXPECT_EQ(Utf8(TextOf(Program().Window())), "Veskora");
        EXPECT_EQ(Program().Text(kPulsesBox), L"12800");
        EXPECT_EQ(Program().Text(kDiameterBox), L"21");
        EXPECT_EQ(Program().Text(kResultBox), L"");
        Program().ClickControl(kCalculateButton);
        EXPECT_TRUE(Program().WaitForText(kResultBox, kDefaultResult));
        PressKey(VK_ESCAPE);
        EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0));
        program_.reset();
    }
}

TEST_F(Lifetime, TwoCopiesRunEachWithItsOwnWindow) {
    auto first = Launch(VeskoraPath());
    ASSERT_NE(first, nullptr);
    auto second = Launch(VeskoraPath());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->Window(), second->Window());
    EXPECT_NE(first->Process().Id(), second->Process().Id());
    EXPECT_EQ(TopLevelWindows(first->Process().Id(), kMainWindowClass).size(), 1u);
    EXPECT_EQ(TopLevelWindows(second->Process().Id(), kMainWindowClass).size(), 1u);

    // The keyboard goes to the copy in front, and only to it.
    PressKey(VK_END);
    TypeText(L"5");
    EXPECT_TRUE(second->WaitForText(kPulsesBox, L"128005"));
    second->ClickControl(kCalculateButton);
    EXPECT_TRUE(second->WaitForText(kResultBox, L"1940.250365524"))
        << Utf8(second->Text(kResultBox));
    EXPECT_EQ(first->Text(kPulsesBox), L"12800");
    EXPECT_EQ(first->Text(kResultBox), L"");

    PressKey(VK_ESCAPE);
    EXPECT_EQ(second->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(first->Process().IsRunning());

    // The first copy still works.
    Click(first->CaptionPoint());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == first->Window(); }));
    first->ClickControl(kCalculateButton);
    EXPECT_TRUE(first->WaitForText(kResultBox, kDefaultResult));
    PressKey(VK_ESCAPE);
    EXPECT_EQ(first->WaitForExit(), std::optional<DWORD>(0));
}

// Wherever it is started from, the program runs in its own folder.
TEST_F(Lifetime, RunsInItsOwnFolder) {
    const std::wstring program = VeskoraPath();
    const std::wstring ownFolder = FolderOf(program);
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);

    // The probe itself: a program that keeps its folder is seen in it.
    {
        auto probe = ProgramProcess::Start(std::wstring(windows) + L"\\system32\\cmd.exe",
                                           L"/c ping -n 3 127.0.0.1 >nul", windows);
        ASSERT_TRUE(probe.has_value());
        // Read until the new process has its parameters in place.
        std::optional<std::wstring> seen;
        EXPECT_TRUE(WaitUntil([&] {
            seen = probe->CurrentDirectory();
            return seen && SameFolder(*seen, windows);
        })) << Utf8(seen.value_or(L"<unread>"));
    }

    for (const std::wstring& start :
         {std::wstring(windows), std::wstring(L"C:\\"), FolderOf(ownFolder), std::wstring()}) {
        SCOPED_TRACE("started in '" + Utf8(start) + "'");
        Start(program, L"", start);
        ASSERT_NE(program_, nullptr);
        const auto current = Program().Process().CurrentDirectory();
        ASSERT_TRUE(current.has_value());
        EXPECT_TRUE(SameFolder(*current, ownFolder))
            << "runs in " << Utf8(*current) << ", its folder is " << Utf8(ownFolder);
        program_.reset();
    }
}

}  // namespace
}  // namespace veskora::e2e

// Measures Veskora.exe from outside, as a user meets it:
//   start-up     CreateProcess until the main window is visible, against a
//                bare Win32 program with one empty window;
//   click        a mouse click on the button until the result is in its box;
//   normalise    a long text (30000 characters unless told) pasted into the
//                pulses box, from Tab until the box holds its tidied number:
//                as the box's own limit keeps it, and whole, with the limit
//                lifted; and how long the edit box itself takes to take it.
// Prints one table row per measurement with median, minimum and maximum.
//
//   window_bench.exe VESKORA_EXE BARE_EXE [starts] [clicks] [normalisations]
//                    [characters]
//
// Wine's single-line edit box takes time that grows with the square of a
// line of digits (about 1 s for 30000 of them, 22 minutes for a million);
// 30000 is also the longest text its default limit lets the user paste.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ui/bench/bench_session.h"
#include "ui/tests/e2e/user_input.h"

namespace veskora::bench {
namespace {

constexpr wchar_t kMainWindowClass[] = L"VeskoraMainWindow";
constexpr wchar_t kBareWindowClass[] = L"VeskoraBareWindow";
constexpr int kPulsesBox = 0x0007;
constexpr int kResultBox = 0x000F;
constexpr int kCalculateButton = 0x0010;
// The result of the window's initial values, 12800 pulses over 21 mm.
constexpr wchar_t kDefaultResult[] = L"194.0174577454";
constexpr double kTimeoutSeconds = 20.0;
// Wine's edit box takes minutes over a text of a million characters.
constexpr double kLongTextTimeoutSeconds = 7200.0;

struct Options {
    std::wstring veskora;
    std::wstring bare;
    int starts = 15;
    int clicks = 20;
    int normalisations = 5;
    std::size_t characters = 30000;
};

struct Row {
    std::string name;
    std::vector<double> seconds;
    std::string note;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t character : text) {
        narrow += character >= 0x20 && character < 0x7F ? static_cast<char>(character) : '?';
    }
    return narrow;
}

void PrintRow(const Row& row) {
    if (row.seconds.empty()) {
        std::printf("%-48s %5s %10s %10s %10s  %s\n", row.name.c_str(), "0", "-", "-", "-",
                    row.note.c_str());
        return;
    }
    const auto [low, high] = std::minmax_element(row.seconds.begin(), row.seconds.end());
    std::printf("%-48s %5zu %10.2f %10.2f %10.2f  %s\n", row.name.c_str(), row.seconds.size(),
                Median(row.seconds) * 1e3, *low * 1e3, *high * 1e3, row.note.c_str());
}

// Waits, polling 1 ms apart, until the condition holds; false on timeout.
template <class Condition>
bool PollUntil(Condition condition, double timeoutSeconds = kTimeoutSeconds) {
    const double deadline = Now() + timeoutSeconds;
    while (!condition()) {
        if (Now() > deadline) return false;
        Sleep(1);
    }
    return true;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// One start-up of the program until its window is visible, or a negative
// time when it failed; the program is closed again before returning.
double TimeStartUp(const std::wstring& path, const wchar_t* className, std::string& failure) {
    const double begin = Now();
    const auto program = StartProgram(path);
    if (!program) {
        failure = "CreateProcess failed";
        return -1;
    }
    HWND window = AwaitVisibleWindow(*program, className, kTimeoutSeconds);
    const double elapsed = Now() - begin;
    const auto status = CloseAndWait(*program, window);
    if (window == nullptr) {
        failure = "no visible window";
        return -1;
    }
    if (!status || *status != 0) {
        failure = "did not end with status 0 after WM_CLOSE";
        return -1;
    }
    return elapsed;
}

// Veskora.exe and the bare program alternately, after one unmeasured start
// of each that brings the files and Wine's DLLs into the cache.
std::vector<Row> MeasureStartUp(const Options& options) {
    Row veskora{"start-up to visible: Veskora.exe", {}, ""};
    Row bare{"start-up to visible: bare_window.exe", {}, ""};
    std::string failure;
    TimeStartUp(options.veskora, kMainWindowClass, failure);
    TimeStartUp(options.bare, kBareWindowClass, failure);
    failure.clear();
    for (int run = 0; run < options.starts; ++run) {
        for (auto [row, path, className] :
             {std::tuple{&veskora, &options.veskora, kMainWindowClass},
              std::tuple{&bare, &options.bare, kBareWindowClass}}) {
            std::string why;
            const double seconds = TimeStartUp(*path, className, why);
            if (seconds >= 0) {
                row->seconds.push_back(seconds);
            } else {
                row->note = "FAILED: " + why;
            }
        }
    }
    return {veskora, bare};
}

struct Session {
    Started program;
    HWND window;
};

std::optional<Session> StartVeskora(const Options& options, std::string& failure) {
    const auto program = StartProgram(options.veskora);
    if (!program) {
        failure = "CreateProcess failed";
        return std::nullopt;
    }
    HWND window = AwaitVisibleWindow(*program, kMainWindowClass, kTimeoutSeconds);
    if (window == nullptr || !PollUntil([&] { return GetForegroundWindow() == window; })) {
        CloseAndWait(*program, window);
        failure = "the window did not come up in the foreground";
        return std::nullopt;
    }
    return Session{*program, window};
}

// Clicks on the button, each after the result box has been emptied, until
// the result is back. The mouse clicks wait out the double-click time so that
// each is a click of its own.
std::vector<Row> MeasureClicks(const Options& options) {
    Row mouse{"click to result (SendInput mouse)", {}, ""};
    Row message{"click to result (BM_CLICK message)", {}, ""};
    std::string failure;
    const auto session = StartVeskora(options, failure);
    if (!session) {
        mouse.note = message.note = "FAILED: " + failure;
        return {mouse, message};
    }
    HWND result = GetDlgItem(session->window, kResultBox);
    HWND button = GetDlgItem(session->window, kCalculateButton);
    const POINT centre = CentreOf(button);
    for (int click = 0; click < options.clicks; ++click) {
        SetText(result, L"");
        if (TextLengthOf(result) != 0) {
            mouse.note = "FAILED: the result box could not be emptied";
            break;
        }
        while (e2e::WouldJoinLastClick(centre)) Sleep(20);
        e2e::MoveMouse(centre);
        const double begin = Now();
        e2e::Click(centre);
        if (!PollUntil([&] { return TextOf(result) == kDefaultResult; })) {
            mouse.note = "FAILED: result '" + Narrow(TextOf(result)) + "'";
            break;
        }
        mouse.seconds.push_back(Now() - begin);
    }
    for (int click = 0; click < options.clicks; ++click) {
        SetText(result, L"");
        const double begin = Now();
        SendMessageW(button, BM_CLICK, 0, 0);
        if (!PollUntil([&] { return TextOf(result) == kDefaultResult; })) {
            message.note = "FAILED: result '" + Narrow(TextOf(result)) + "'";
            break;
        }
        message.seconds.push_back(Now() - begin);
    }
    if (const auto status = CloseAndWait(session->program, session->window);
        !status || *status != 0) {
        mouse.note += " (program did not end with status 0)";
    }
    return {mouse, message};
}

struct LongText {
    const char* name;
    std::wstring text;
    // What the pulses box holds once the whole text has been tidied.
    const wchar_t* tidied;
};

std::vector<LongText> LongTexts(std::size_t characters) {
    const std::size_t length = std::max<std::size_t>(characters, 2);
    return {
        {"1 and zeros", L"1" + std::wstring(length - 1, L'0'), L"1.#INF"},
        {"spaces and 21", std::wstring(length - 2, L' ') + L"21", L"21"},
    };
}

// Brings the focus back to the pulses box from the diameter box, where Tab
// left it.
bool FocusPulsesBox(const Session& session, HWND pulses) {
    if (FocusOf(session.window) == pulses) return true;
    e2e::PressKey(VK_TAB, {VK_SHIFT});
    return PollUntil([&] { return FocusOf(session.window) == pulses; });
}

// Waits until the box has painted what it holds: the painting of a long text
// is the edit box's own work and is not counted as the program's.
void AwaitPainted(const Session& session, HWND box) {
    WaitForInputIdle(session.program.process, static_cast<DWORD>(kLongTextTimeoutSeconds * 1e3));
    UpdateWindow(box);
    PollUntil([&] { return !GetUpdateRect(box, nullptr, FALSE); }, kLongTextTimeoutSeconds);
}

// Times Tab until the box's text differs from the one it held; the text it
// then holds is returned through `after`.
double TimeTabAway(HWND box, LRESULT lengthBefore, std::wstring& after) {
    const double begin = Now();
    e2e::PressKey(VK_TAB);
    if (!PollUntil([&] { return TextLengthOf(box) != lengthBefore; }, kLongTextTimeoutSeconds)) {
        return -1;
    }
    const double elapsed = Now() - begin;
    after = TextOf(box);
    return elapsed;
}

// One way of pasting: with the box's own limit, which keeps only the text's
// beginning, or with the limit lifted for the whole text.
struct PasteWay {
    const char* name;
    bool liftLimit;
};

// Pastes the text into the pulses box with Ctrl+V and times Tab until the box
// holds its tidied text; with the limit lifted, also how long the edit box
// takes to take and paint the whole text.
void MeasurePastes(const Session& session, HWND pulses, const LongText& longText,
                   const PasteWay& way, int runs, std::vector<Row>& rows) {
    Row tab{std::string("Tab after Ctrl+V") + way.name + ": " + longText.name, {}, ""};
    Row take{"  (the edit box taking and painting it)", {}, ""};
    const auto limit = SendMessageW(pulses, EM_GETLIMITTEXT, 0, 0);
    if (way.liftLimit) {
        SendMessageW(pulses, EM_SETLIMITTEXT, static_cast<WPARAM>(longText.text.size()), 0);
    }
    for (int run = 0; run < runs; ++run) {
        if (!FocusPulsesBox(session, pulses)) {
            tab.note = "FAILED: the focus did not come back to the pulses box";
            break;
        }
        SetText(pulses, L"");
        const double pasteBegin = Now();
        e2e::PressKey('V', {VK_CONTROL});
        LRESULT length = 0;
        if (!PollUntil([&] { return (length = TextLengthOf(pulses)) > 0; },
                       kLongTextTimeoutSeconds)) {
            tab.note = "FAILED: nothing was pasted";
            break;
        }
        // Tab is pressed only once the box has painted its new text, so that
        // the painting is not counted as the tidying.
        AwaitPainted(session, pulses);
        take.seconds.push_back(Now() - pasteBegin);
        if (way.liftLimit && length != static_cast<LRESULT>(longText.text.size())) {
            tab.note = "FAILED: the box took " + std::to_string(length) + " characters";
            break;
        }
        std::wstring after;
        const double seconds = TimeTabAway(pulses, length, after);
        if (seconds < 0) {
            // An all-space text becomes empty: a change of length too.
            tab.note = "FAILED: the pasted text did not change";
            break;
        }
        if (way.liftLimit && after != longText.tidied) {
            tab.note = "FAILED: the box holds '" + Narrow(after) + "'";
            break;
        }
        tab.seconds.push_back(seconds);
        tab.note = "pasted " + std::to_string(length) + " chars -> '" + Narrow(after) + "'";
    }
    if (way.liftLimit) SendMessageW(pulses, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
    rows.push_back(tab);
    if (way.liftLimit) {
        take.note = "Ctrl+V of " + std::to_string(longText.text.size()) + " chars";
        rows.push_back(take);
    }
}

// Each long text is pasted as a user would, where the box keeps what its
// limit allows, then with the limit lifted so that the box holds all of it.
std::vector<Row> MeasureNormalisation(const Options& options) {
    std::vector<Row> rows;
    std::string failure;
    const auto session = StartVeskora(options, failure);
    if (!session) return {{"normalise on Tab", {}, "FAILED: " + failure}};
    HWND pulses = GetDlgItem(session->window, kPulsesBox);
    // The program gives the pulses box the focus as it starts; input sent
    // before that would land elsewhere.
    if (!PollUntil([&] { return FocusOf(session->window) == pulses; })) {
        CloseAndWait(session->program, session->window);
        return {{"normalise on Tab", {}, "FAILED: the pulses box never had the focus"}};
    }
    for (const LongText& longText : LongTexts(options.characters)) {
        if (!e2e::PutOnClipboard(longText.text)) {
            rows.push_back({"Ctrl+V: " + std::string(longText.name), {}, "FAILED: clipboard"});
            continue;
        }
        for (const PasteWay& way : {PasteWay{"", false}, PasteWay{", limit lifted", true}}) {
            MeasurePastes(*session, pulses, longText, way, options.normalisations, rows);
        }
    }
    if (const auto status = CloseAndWait(session->program, session->window);
        !status || *status != 0) {
        rows.back().note += " (program did not end with status 0)";
    }
    return rows;
}

bool Failed(const Row& row) {
    return row.seconds.empty() || row.note.rfind("FAILED", 0) == 0;
}

}  // namespace
}  // namespace veskora::bench

int wmain(int argc, wchar_t** argv) {
    using namespace veskora::bench;
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: window_bench VESKORA_EXE BARE_EXE [starts] [clicks] "
                     "[normalisations] [characters]\n");
        return 2;
    }
    Options options;
    options.veskora = argv[1];
    options.bare = argv[2];
    if (argc > 3) options.starts = std::max(1, _wtoi(argv[3]));
    if (argc > 4) options.clicks = std::max(1, _wtoi(argv[4]));
    if (argc > 5) options.normalisations = std::max(1, _wtoi(argv[5]));
    if (argc > 6) options.characters = static_cast<std::size_t>(std::max(2, _wtoi(argv[6])));

    std::fprintf(stderr, "window_bench: start-up, %d runs of each program\n", options.starts);
    std::vector<Row> rows = MeasureStartUp(options);
    std::fprintf(stderr, "window_bench: %d clicks of each kind\n", options.clicks);
    const auto clicks = MeasureClicks(options);
    rows.insert(rows.end(), clicks.begin(), clicks.end());
    std::fprintf(stderr, "window_bench: %d normalisations of each long text\n",
                 options.normalisations);
    const auto normalisations = MeasureNormalisation(options);
    rows.insert(rows.end(), normalisations.begin(), normalisations.end());

    std::printf("%-48s %5s %10s %10s %10s\n", "measurement (ms)", "runs", "median", "min", "max");
    for (const Row& row : rows) PrintRow(row);
    if (!rows[0].seconds.empty() && !rows[1].seconds.empty()) {
        std::printf("\nstart-up ratio Veskora/bare (medians): %.3f\n",
                    Median(rows[0].seconds) / Median(rows[1].seconds));
    }
    std::fflush(stdout);
    return std::any_of(rows.begin(), rows.end(), Failed) ? 1 : 0;
}

#include "ui/program.h"

#include <iterator>
#include <string_view>

#include "ui/click_procedure.h"
#include "ui/fatal_error_text.h"
#include "ui/main_window.h"
#include "ui/program_folder.h"
#include "ui/wide_text.h"

namespace veskora {
namespace {

void StartHook() {}
void EndHook() {}

void EnterProgramFolder() {
    // The longest path Windows knows; on the stack, the process has no other
    // use for it.
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    if (length == 0 || length >= std::size(path)) return;
    const std::u16string_view whole(reinterpret_cast<const char16_t*>(path), length);
    const std::size_t folder = FolderLength(whole);
    if (folder == 0) return;
    path[folder] = L'\0';
    SetCurrentDirectoryW(path);
}

// Every calculation relies on the power-on state of the x87 unit: 64-bit
// significands, round to nearest, all exceptions masked (control word 0x037F).
void ResetFloatingPointUnit() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __asm__ volatile("fninit");
#endif
}

void RunProcedure(Procedure procedure) {
    switch (procedure) {
        case Procedure::Click:
            RunClickProcedure(Program().loadedWindow);
            break;
    }
}

}  // namespace

ProgramState& Program() {
    static ProgramState state;
    return state;
}

int StartProgram() {
    ProgramState& state = Program();
    EnterProgramFolder();
    const auto descriptions = ReadWindowDescriptions();
    if (!descriptions) ReportFatalError(kWindowDescriptionUnreadable);
    state.descriptions = *descriptions;
    ResetFloatingPointUnit();
    StartHook();
    state.endHook = EndHook;
    const WindowDescription* main = FindWindowDescription(state.descriptions, kMainWindowId);
    if (main == nullptr) ReportFatalError(kMainWindowNotLoaded);
    state.loadedWindow = LoadMainWindow(*main);
    if (state.loadedWindow == nullptr) ReportFatalError(kMainWindowNotLoaded);
    state.loopRunning = true;
    if (IsWindow(state.loadedWindow)) RunMessageLoop();
    return 0;
}

int RunMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got < 0) return 0;
        const MessageRoute route = PreviewMessage(Program().loadedWindow, message);
        if (route == MessageRoute::Consumed) continue;
        if (route == MessageRoute::Dispatch) TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool RaiseEvent(std::uint32_t window, std::uint32_t control, std::int32_t event) {
    const ProgramState& state = Program();
    if (state.ending) return false;
    const auto procedure = FindBinding(state.descriptions, window, control, event);
    if (!procedure) return false;
    RunProcedure(*procedure);
    return true;
}

void EndProgram([[maybe_unused]] int exitStatus) {
    ProgramState& state = Program();
    state.ending = true;
    state.descriptions = {};
    if (state.endHook != nullptr) {
        void (*const hook)() = state.endHook;
        state.endHook = nullptr;
        hook();
    }
    // The window's own resources went with the window; nothing else is held.
}

void ReportFatalError(const char16_t* message) noexcept {
    ProgramState& state = Program();
    state.ending = true;
    char16_t text[kFatalTextCapacity];
    ComposeFatalErrorText(message, text);
    // No owner and not task-modal: the main window stays usable meanwhile.
    MessageBoxW(nullptr, Wide(text), Wide(kFatalErrorCaption), MB_ICONERROR | MB_OK);
    state.endHook = nullptr;
    EndProgram(-1);
    ExitProcess(static_cast<UINT>(-1));
}

void ReportStorageFailure(std::size_t bytes) noexcept {
    char16_t message[kFatalTextCapacity];
    FormatStorageFailure(bytes, message);
    ReportFatalError(message);
}

void NoteWindowDestroyed(HWND window) {
    ProgramState& state = Program();
    if (window == state.loadedWindow) state.loadedWindow = nullptr;
    if (state.loopRunning && state.loadedWindow == nullptr) PostQuitMessage(0);
}

}  // namespace veskora

#include "ui/tests/e2e/program_process.h"

#include <winternl.h>

#include <cstddef>
#include <cstdint>
#include <cwctype>
#include <utility>

namespace veskora::e2e {
namespace {

// Offsets in the 64-bit process environment block and process parameters,
// which the headers keep opaque: PEB.ProcessParameters, then
// RTL_USER_PROCESS_PARAMETERS.CurrentDirectory.DosPath (a UNICODE_STRING).
constexpr std::size_t kPebProcessParametersOffset = 0x20;
constexpr std::size_t kParametersCurrentDirectoryOffset = 0x38;

struct RemoteUnicodeString {
    std::uint16_t length;  // in bytes
    std::uint16_t maximumLength;
    std::uint32_t padding;
    std::uint64_t buffer;
};

template <class T>
bool ReadRemote(HANDLE process, std::uint64_t address, T& value) {
    SIZE_T read = 0;
    return ReadProcessMemory(process, reinterpret_cast<LPCVOID>(address), &value, sizeof value,
                             &read) != 0 &&
           read == sizeof value;
}

std::wstring Trimmed(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return folder;
}

}  // namespace

std::optional<ProgramProcess> ProgramProcess::Start(const std::wstring& program,
                                                    const std::wstring& arguments,
                                                    const std::wstring& workingDirectory) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                        &info)) {
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    return ProgramProcess(info.hProcess, info.dwProcessId);
}

ProgramProcess::ProgramProcess(ProgramProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

ProgramProcess& ProgramProcess::operator=(ProgramProcess&& other) noexcept {
    if (this != &other) {
        Terminate();
        if (process_ != nullptr) CloseHandle(process_);
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

ProgramProcess::~ProgramProcess() {
    Terminate();
    if (process_ != nullptr) CloseHandle(process_);
}

bool ProgramProcess::IsRunning() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ProgramProcess::WaitForExit(DWORD timeoutMs) const {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD status = 0;
    if (!GetExitCodeProcess(process_, &status)) return std::nullopt;
    return status;
}

std::optional<std::wstring> ProgramProcess::CurrentDirectory() const {
    PROCESS_BASIC_INFORMATION basic{};
    ULONG returned = 0;
    if (NtQueryInformationProcess(process_, ProcessBasicInformation, &basic, sizeof basic,
                                  &returned) != 0) {
        return std::nullopt;
    }
    const auto peb = reinterpret_cast<std::uint64_t>(basic.PebBaseAddress);
    std::uint64_t parameters = 0;
    RemoteUnicodeString directory{};
    if (!ReadRemote(process_, peb + kPebProcessParametersOffset, parameters) ||
        !ReadRemote(process_, parameters + kParametersCurrentDirectoryOffset, directory)) {
        return std::nullopt;
    }
    std::wstring text(directory.length / sizeof(wchar_t), L'\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(process_, reinterpret_cast<LPCVOID>(directory.buffer), text.data(),
                           directory.length, &read) ||
        read != directory.length) {
        return std::nullopt;
    }
    return text;
}

void ProgramProcess::Terminate() {
    if (!IsRunning()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

std::wstring WindowsPath(const char* path) {
    std::wstring wide;
    const int size = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
    if (size > 0) {
        wide.resize(static_cast<std::size_t>(size));
        MultiByteToWideChar(CP_UTF8, 0, path, -1, wide.data(), size);
        wide.pop_back();
    }
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return wide;
}

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    const std::wstring x = Trimmed(a);
    const std::wstring y = Trimmed(b);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (std::towlower(x[i]) != std::towlower(y[i])) return false;
    }
    return true;
}

}  // namespace veskora::e2e

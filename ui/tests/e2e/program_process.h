// A Windows program started by the tests: its process, its exit status and
// its current directory as the process itself holds it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace veskora::e2e {

class ProgramProcess {
  public:
    // Starts `program` with the command line `"program" arguments` in
    // `workingDirectory` (the tests' own when empty). std::nullopt when the
    // process cannot be created.
    static std::optional<ProgramProcess> Start(const std::wstring& program,
                                               const std::wstring& arguments = L"",
                                               const std::wstring& workingDirectory = L"");

    ProgramProcess(ProgramProcess&& other) noexcept;
    ProgramProcess& operator=(ProgramProcess&& other) noexcept;
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;
    // A process still running is terminated, so no test leaves one behind.
    ~ProgramProcess();

    DWORD Id() const { return id_; }
    bool IsRunning() const;
    // The exit status once the process has ended within the time given.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;
    // The current directory from the process's own parameter block.
    std::optional<std::wstring> CurrentDirectory() const;
    void Terminate();

  private:
    ProgramProcess(HANDLE process, DWORD id) : process_(process), id_(id) {}

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// A path from the build (forward slashes, drive Z:) as a user would give it.
std::wstring WindowsPath(const char* path);
// The folder of a file's path, without the final backslash.
std::wstring FolderOf(const std::wstring& path);
// A folder path compared the way Windows compares it: case-insensitively,
// with or without a final backslash.
bool SameFolder(const std::wstring& a, const std::wstring& b);

}  // namespace veskora::e2e

#include "ui/tests/e2e/e2e_fixture.h"

namespace veskora::e2e {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::unique_ptr<RunningProgram> VeskoraTest::Launch(const std::wstring& program,
                                                    const std::wstring& arguments,
                                                    const std::wstring& workingDirectory) {
    std::wstring error;
    auto running = RunningProgram::Launch(program, error, arguments, workingDirectory);
    if (running == nullptr) {
        ADD_FAILURE() << Utf8(program) << ": " << Utf8(error);
        return nullptr;
    }
    if (!running->WaitForFocus(kPulsesBox)) {
        ADD_FAILURE() << Utf8(program) << ": the focus never reached 编辑框1";
        return nullptr;
    }
    return running;
}

}  // namespace veskora::e2e

// The fixture of the end-to-end tests: a started copy of the program that is
// always ended when the test is over, and the plain texts for messages.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/tests/e2e/running_program.h"

namespace veskora::e2e {

// UTF-8 for the test log.
std::string Utf8(const std::wstring& text);

class VeskoraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Start(VeskoraPath());
        ASSERT_NE(program_, nullptr);
    }

    // Starts a copy and waits until it is ready for the keyboard: its window
    // in the foreground with the focus in 编辑框1.
    void Start(const std::wstring& program, const std::wstring& arguments = L"",
               const std::wstring& workingDirectory = L"") {
        program_ = Launch(program, arguments, workingDirectory);
    }

    // Starts a further copy that the test owns.
    static std::unique_ptr<RunningProgram> Launch(const std::wstring& program,
                                                  const std::wstring& arguments = L"",
                                                  const std::wstring& workingDirectory = L"");

    RunningProgram& Program() { return *program_; }

    std::unique_ptr<RunningProgram> program_;
};

}  // namespace veskora::e2e

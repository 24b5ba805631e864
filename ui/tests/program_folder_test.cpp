#include "ui/program_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace veskora {
namespace {

struct FolderCase {
    int line;
    std::u16string path;
    std::u16string folder;
};

const FolderCase kFolderCases[] = {
    {__LINE__, u"C:\\Program Files\\Veskora\\Veskora.exe", u"C:\\Program Files\\Veskora"},
    {__LINE__, u"Z:\\tmp\\build\\Veskora.exe", u"Z:\\tmp\\build"},
    {__LINE__, u"C:\\工具\\同步轮\\Veskora.exe", u"C:\\工具\\同步轮"},
    {__LINE__, u"\\\\server\\share\\Veskora.exe", u"\\\\server\\share"},
    // A drive's root keeps its backslash: "C:" alone names the drive's
    // current directory, not its root.
    {__LINE__, u"C:\\Veskora.exe", u"C:\\"},
    {__LINE__, u"\\Veskora.exe", u"\\"},
    {__LINE__, u"Veskora.exe", u""},
    {__LINE__, u"", u""},
};

TEST(ProgramFolder, SplitsAtTheLastBackslash) {
    for (const FolderCase& row : kFolderCases) {
        EXPECT_EQ(row.path.substr(0, FolderLength(row.path)), row.folder)
            << "row at line " << row.line;
    }
}

}  // namespace
}  // namespace veskora

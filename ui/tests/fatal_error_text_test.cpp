#include "ui/fatal_error_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace veskora {
namespace {

struct StorageCase {
    int line;
    std::size_t bytes;
    std::u16string expected;
};

const StorageCase kStorageCases[] = {
    {__LINE__, 0, u"分配 0 字节内存失败!"},
    {__LINE__, 1, u"分配 1 字节内存失败!"},
    {__LINE__, 6, u"分配 6 字节内存失败!"},  // '12800' and its terminator
    {__LINE__, 10, u"分配 10 字节内存失败!"},
    {__LINE__, 4096, u"分配 4096 字节内存失败!"},
    {__LINE__, 2147483648u, u"分配 2147483648 字节内存失败!"},  // past what an int holds
    {__LINE__, 18446744073709551615u, u"分配 18446744073709551615 字节内存失败!"},
};

TEST(FatalErrorText, StorageFailureNamesTheBytes) {
    for (const StorageCase& row : kStorageCases) {
        std::array<char16_t, kFatalTextCapacity> buffer;
        buffer.fill(u'#');
        const std::size_t length = FormatStorageFailure(row.bytes, buffer);
        EXPECT_EQ(std::u16string_view(buffer.data(), length), row.expected)
            << "row at line " << row.line;
        EXPECT_EQ(buffer[length], u'\0') << "row at line " << row.line;
    }
}

struct BoxCase {
    int line;
    std::u16string message;
    std::u16string expected;
};

const BoxCase kBoxCases[] = {
    {__LINE__, u"载入窗口模板数据段出错!",
     u"\u8FD0\u884C\u65F6\u51FA\u9519!\r\n\r\n\u9519\u8BEF\u4FE1\u606F\uFF1A"
     u"\u8F7D\u5165\u7A97\u53E3\u6A21\u677F\u6570\u636E\u6BB5\u51FA\u9519!\r\n"},
    {__LINE__, u"载入启动窗口失败", u"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
    {__LINE__, u"分配 6 字节内存失败!", u"运行时出错!\r\n\r\n错误信息：分配 6 字节内存失败!\r\n"},
    {__LINE__, u"", u"运行时出错!\r\n\r\n错误信息：\r\n"},
};

TEST(FatalErrorText, BoxTextFramesTheMessage) {
    for (const BoxCase& row : kBoxCases) {
        std::array<char16_t, kFatalTextCapacity> buffer;
        const std::size_t length = ComposeFatalErrorText(row.message, buffer);
        EXPECT_EQ(std::u16string_view(buffer.data(), length), row.expected)
            << "row at line " << row.line;
        EXPECT_EQ(buffer[length], u'\0') << "row at line " << row.line;
    }
}

TEST(FatalErrorText, MessagesAreTheProgramsOwn) {
    EXPECT_EQ(std::u16string_view(kWindowDescriptionUnreadable),
              u"\u8F7D\u5165\u7A97\u53E3\u6A21\u677F\u6570\u636E\u6BB5\u51FA\u9519!");
    EXPECT_EQ(std::u16string_view(kMainWindowNotLoaded),
              u"\u8F7D\u5165\u542F\u52A8\u7A97\u53E3\u5931\u8D25");
    EXPECT_EQ(std::u16string_view(kFatalErrorCaption), u"\u9519\u8BEF");
}

struct CutCase {
    int line;
    std::size_t capacity;
    std::u16string expected;
};

// A buffer too small keeps a terminated beginning and never overruns.
const CutCase kCutCases[] = {
    {__LINE__, 1, u""},         {__LINE__, 2, u"分"},        {__LINE__, 5, u"分配 4"},
    {__LINE__, 7, u"分配 409"}, {__LINE__, 8, u"分配 4096"}, {__LINE__, 9, u"分配 4096 "},
};

TEST(FatalErrorText, TooSmallABufferCutsTheText) {
    for (const CutCase& row : kCutCases) {
        std::array<char16_t, 16> buffer;
        buffer.fill(u'#');
        const std::size_t length =
            FormatStorageFailure(4096, std::span<char16_t>(buffer.data(), row.capacity));
        EXPECT_EQ(std::u16string_view(buffer.data(), length), row.expected)
            << "row at line " << row.line;
        EXPECT_EQ(buffer[length], u'\0') << "row at line " << row.line;
        EXPECT_EQ(buffer[row.capacity], u'#') << "row at line " << row.line;
    }
}

}  // namespace
}  // namespace veskora

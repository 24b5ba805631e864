#include "ui/notice_rules.h"

#include <gtest/gtest.h>

#include <string_view>

namespace veskora {
namespace {

// The system's answer codes, as Windows defines them.
constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6,
              kIdNo = 7, kIdClose = 8, kIdHelp = 9, kIdTryAgain = 10, kIdContinue = 11,
              kIdTimeout = 32000;

struct AnswerCase {
    int line;
    int answer;
    std::int32_t result;
};

const AnswerCase kAnswerCases[] = {
    {__LINE__, kIdOk, 0},       {__LINE__, kIdCancel, 1},   {__LINE__, kIdAbort, 2},
    {__LINE__, kIdRetry, 3},    {__LINE__, kIdIgnore, 4},   {__LINE__, kIdYes, 5},
    {__LINE__, kIdNo, 6},       {__LINE__, kIdClose, 0},    {__LINE__, kIdHelp, 0},
    {__LINE__, kIdTryAgain, 0}, {__LINE__, kIdContinue, 0}, {__LINE__, kIdTimeout, 0},
    {__LINE__, 0, 0},  // the box could not be shown
    {__LINE__, -1, 0},
};

TEST(NoticeBox, ResultForEachAnswer) {
    for (const AnswerCase& row : kAnswerCases) {
        EXPECT_EQ(NoticeResult(row.answer), row.result) << "row at line " << row.line;
    }
}

struct StyleCase {
    int line;
    std::uint32_t buttons;
    std::uint32_t style;
};

const StyleCase kStyleCases[] = {
    {__LINE__, 0x0000, 0x2000},  // the program's call: one OK button, task-modal
    {__LINE__, 0x0001, 0x2001},  // OK and Cancel
    {__LINE__, 0x0024, 0x2024},  // Yes and No with the question icon
    {__LINE__, 0x1000, 0x1000},  // system-modal stays as it is
    {__LINE__, 0x1030, 0x1030}, {__LINE__, 0x2000, 0x2000},    // already task-modal
    {__LINE__, 0x3000, 0x3000}, {__LINE__, 0x40000, 0x42000},  // other flags pass through
};

TEST(NoticeBox, TaskModalUnlessSystemModal) {
    for (const StyleCase& row : kStyleCases) {
        EXPECT_EQ(NoticeStyle(row.buttons), row.style) << "row at line " << row.line;
    }
}

TEST(NoticeBox, DefaultCaptionEndsWithAFullWidthColon) {
    EXPECT_EQ(std::u16string_view(kDefaultNoticeCaption), u"\u4FE1\u606F\uFF1A");
}

}  // namespace
}  // namespace veskora

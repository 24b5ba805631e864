// The texts of the fatal error box, put together in storage the caller
// provides: they are needed exactly when no more storage can be had.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace veskora {

inline constexpr const char16_t* kFatalErrorCaption = u"错误";
inline constexpr const char16_t* kWindowDescriptionUnreadable = u"载入窗口模板数据段出错!";
inline constexpr const char16_t* kMainWindowNotLoaded = u"载入启动窗口失败";

// Room for any of the program's fatal error texts, terminator included.
inline constexpr std::size_t kFatalTextCapacity = 256;

// "分配 N 字节内存失败!" for a request of N bytes. Returns the length written,
// without the terminating zero that always follows; a text that does not
// fit is cut short.
std::size_t FormatStorageFailure(std::size_t bytes, std::span<char16_t> buffer) noexcept;

// The whole text of the fatal error box for a message, cut like the above.
std::size_t ComposeFatalErrorText(std::u16string_view message, std::span<char16_t> buffer) noexcept;

}  // namespace veskora

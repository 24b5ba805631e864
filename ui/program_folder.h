// Where the program's own folder ends in the full path of its file.
#pragma once

#include <cstddef>
#include <string_view>

namespace veskora {

// The length of the folder part of a path: everything before the last
// backslash, or through it when the folder is a drive's root ("C:\"), so
// that the folder names the root and not the drive's current directory.
// 0 when the path has no backslash.
std::size_t FolderLength(std::u16string_view path) noexcept;

}  // namespace veskora

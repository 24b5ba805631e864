#include "ui/program_folder.h"

namespace veskora {

std::size_t FolderLength(std::u16string_view path) noexcept {
    const std::size_t last = path.rfind(u'\\');
    if (last == std::u16string_view::npos) return 0;
    const bool driveRoot = last == 2 && path[1] == u':';
    return driveRoot || last == 0 ? last + 1 : last;
}

}  // namespace veskora

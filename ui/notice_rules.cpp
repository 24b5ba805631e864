#include "ui/notice_rules.h"

namespace veskora {

std::int32_t NoticeResult(int answer) noexcept {
    // The system numbers its answers OK = 1 up to No = 7, in the same order.
    constexpr int kOk = 1;
    constexpr int kNo = 7;
    if (answer < kOk || answer > kNo) return 0;
    return answer - kOk;
}

}  // namespace veskora

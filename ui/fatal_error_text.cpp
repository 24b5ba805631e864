#include "ui/fatal_error_text.h"

namespace veskora {
namespace {

// Appends to a fixed buffer, keeping room for the terminating zero.
class BoundedWriter {
  public:
    explicit BoundedWriter(std::span<char16_t> buffer) noexcept : buffer_(buffer) { Terminate(); }

    void Append(std::u16string_view text) noexcept {
        for (char16_t unit : text) {
            if (length_ + 1 >= buffer_.size()) break;
            buffer_[length_++] = unit;
        }
        Terminate();
    }

    void AppendDecimal(std::size_t value) noexcept {
        char16_t digits[24];
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0) {
            const char16_t digit = digits[--count];
            Append(std::u16string_view(&digit, 1));
        }
    }

    std::size_t Length() const noexcept { return length_; }

  private:
    void Terminate() noexcept {
        if (!buffer_.empty()) buffer_[length_] = u'\0';
    }

    std::span<char16_t> buffer_;
    std::size_t length_ = 0;
};

}  // namespace

std::size_t FormatStorageFailure(std::size_t bytes, std::span<char16_t> buffer) noexcept {
    BoundedWriter writer(buffer);
    writer.Append(u"分配 ");
    writer.AppendDecimal(bytes);
    writer.Append(u" 字节内存失败!");
    return writer.Length();
}

std::size_t ComposeFatalErrorText(std::u16string_view message,
                                  std::span<char16_t> buffer) noexcept {
    BoundedWriter writer(buffer);
    writer.Append(u"运行时出错!\r\n\r\n");
    writer.Append(u"错误信息：");
    writer.Append(message);
    writer.Append(u"\r\n");
    return writer.Length();
}

}  // namespace veskora

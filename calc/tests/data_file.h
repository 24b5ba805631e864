// Reading the generated reference data and the decimal corpus: one case a
// line, fields separated by single spaces, lines starting with '#' are
// comments. Texts in the generated files are written with \xNN for every byte
// outside printable ASCII and for the backslash, the double quote and the
// space; "" is the empty text.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace veskora::test {

struct DataLine {
    int number;  // line number in the file, from 1
    std::vector<std::string> fields;
};

struct DataFile {
    bool opened = false;
    std::vector<DataLine> lines;  // the cases, comments left out
};

inline DataFile ReadDataFile(const std::string& path) {
    DataFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) return file;
    file.opened = true;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text[0] == '#') continue;
        DataLine line{number, {}};
        std::string_view rest = text;
        while (true) {
            const size_t space = rest.find(' ');
            line.fields.emplace_back(rest.substr(0, space));
            if (space == std::string_view::npos) break;
            rest.remove_prefix(space + 1);
        }
        file.lines.push_back(std::move(line));
    }
    return file;
}

inline std::optional<uint64_t> ParseHex(std::string_view field) {
    uint64_t value = 0;
    const char* end = field.data() + field.size();
    const auto [ptr, error] = std::from_chars(field.data(), end, value, 16);
    if (field.empty() || error != std::errc() || ptr != end) return std::nullopt;
    return value;
}

inline std::optional<std::string> Unescape(std::string_view field) {
    if (field == "\"\"") return std::string();
    std::string bytes;
    for (size_t i = 0; i < field.size();) {
        if (field[i] != '\\') {
            bytes.push_back(field[i++]);
            continue;
        }
        if (i + 4 > field.size() || field[i + 1] != 'x') return std::nullopt;
        const std::optional<uint64_t> byte = ParseHex(field.substr(i + 2, 2));
        if (!byte) return std::nullopt;
        bytes.push_back(static_cast<char>(static_cast<unsigned char>(*byte)));
        i += 4;
    }
    return bytes;
}

inline std::string Hex(uint64_t value, int digits) {
    std::ostringstream out;
    out << "0x" << std::hex << std::uppercase;
    out.width(digits);
    out.fill('0');
    out << value;
    return out.str();
}

// Bytes written the way the data files write texts, for failure messages.
inline std::string Escaped(std::string_view bytes) {
    if (bytes.empty()) return "\"\"";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x21 && byte <= 0x7E && byte != '\\' && byte != '"') {
            out.push_back(c);
        } else {
            out += "\\x" + Hex(byte, 2).substr(2);
        }
    }
    return out;
}

// A field shortened for a failure message: inputs can be thousands of bytes.
inline std::string Shown(std::string_view field) {
    constexpr size_t kShown = 160;
    if (field.size() <= kShown) return std::string(field);
    return std::string(field.substr(0, kShown)) + "... (" + std::to_string(field.size()) +
           " characters)";
}

// Runs check on every case of a data file; check returns a description of
// the mismatch, or nothing when the case holds. Each failing case is reported
// with its file and line; after kMaxReported failures the rest of the file is
// skipped. A missing or empty file fails.
using CaseCheck = std::function<std::optional<std::string>(const std::vector<std::string>&)>;

inline void CheckEveryCase(const std::string& directory, const std::string& name, size_t fieldCount,
                           const CaseCheck& check) {
    constexpr int kMaxReported = 30;
    const std::string path = directory + "/" + name;
    const DataFile file = ReadDataFile(path);
    ASSERT_TRUE(file.opened) << "cannot open " << path;
    ASSERT_FALSE(file.lines.empty()) << path << " holds no cases";
    int failures = 0;
    for (const DataLine& line : file.lines) {
        std::optional<std::string> problem;
        if (line.fields.size() != fieldCount) {
            problem = "expected " + std::to_string(fieldCount) + " fields, found " +
                      std::to_string(line.fields.size());
        } else {
            problem = check(line.fields);
        }
        if (!problem) continue;
        ADD_FAILURE() << name << ":" << line.number << ": " << *problem;
        if (++failures == kMaxReported) {
            ADD_FAILURE() << name << ": stopped after " << kMaxReported << " failing cases";
            return;
        }
    }
}

}  // namespace veskora::test

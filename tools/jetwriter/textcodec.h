#pragma once

#include "bytes.h"
#include "jetwriter.h"

#include <memory>
#include <string_view>

namespace jet::detail {

// Decodes strict UTF-8 (no overlong forms, no surrogates); throws Error otherwise.
std::u32string decodeUtf8(std::string_view utf8);

// Texts as the file stores them: UTF-16LE in Jet 4, code page 932 in Jet 3.
class TextEncoder {
public:
    explicit TextEncoder(Format format);
    ~TextEncoder();
    TextEncoder(const TextEncoder&) = delete;
    TextEncoder& operator=(const TextEncoder&) = delete;

    // Throws Error for invalid UTF-8 or a character the code page lacks.
    Bytes encode(std::string_view utf8);
    // The field-size units the stored text takes: UTF-16 units (Jet 4) or bytes (Jet 3).
    std::size_t lengthOf(const Bytes& stored) const;

private:
    struct Converter;
    Format format_;
    std::unique_ptr<Converter> cp932_;
};

} // namespace jet::detail

#include "textcodec.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>

namespace jet::detail {

namespace {

std::string codePointName(char32_t c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

void appendUtf16(Bytes& out, char32_t c)
{
    if (c < 0x10000) {
        append16(out, static_cast<unsigned>(c));
        return;
    }
    const char32_t v = c - 0x10000;
    append16(out, 0xD800 + static_cast<unsigned>(v >> 10));
    append16(out, 0xDC00 + static_cast<unsigned>(v & 0x3FF));
}

} // namespace

std::u32string decodeUtf8(std::string_view utf8)
{
    std::u32string out;
    std::size_t i = 0;
    auto bad = [&]() { return Error("the text \"" + std::string(utf8) + "\" is not valid UTF-8"); };
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t extra = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            c = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            c = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            c = lead & 0x07;
            minimum = 0x10000;
        } else {
            throw bad();
        }
        if (i + extra >= utf8.size())
            throw bad();
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                throw bad();
            c = c << 6 | (next & 0x3F);
        }
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            throw bad();
        out.push_back(c);
        i += extra + 1;
    }
    return out;
}

struct TextEncoder::Converter {
    iconv_t handle;
    iconv_t back; // to check that a character reads back as itself
};

TextEncoder::TextEncoder(Format format)
    : format_(format)
{
    if (format_ != Format::Jet3)
        return;
    const iconv_t handle = iconv_open("CP932", "UTF-8");
    if (handle == reinterpret_cast<iconv_t>(-1))
        throw Error("this system cannot convert to code page 932 (iconv has no CP932)");
    const iconv_t back = iconv_open("UTF-8", "CP932");
    if (back == reinterpret_cast<iconv_t>(-1)) {
        iconv_close(handle);
        throw Error("this system cannot convert from code page 932 (iconv has no CP932)");
    }
    cp932_ = std::make_unique<Converter>(Converter { handle, back });
}

TextEncoder::~TextEncoder()
{
    if (cp932_) {
        iconv_close(cp932_->handle);
        iconv_close(cp932_->back);
    }
}

Bytes TextEncoder::encode(std::string_view utf8)
{
    const std::u32string chars = decodeUtf8(utf8);
    Bytes out;
    if (format_ == Format::Jet4) {
        for (const char32_t c : chars)
            appendUtf16(out, c);
        return out;
    }

    // One character at a time, so the message can name the one the code page lacks.
    iconv(cp932_->handle, nullptr, nullptr, nullptr, nullptr);
    std::size_t at = 0;
    for (const char32_t c : chars) {
        const std::size_t length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        std::string piece(utf8.substr(at, length));
        at += length;
        char* in = piece.data();
        std::size_t inLeft = piece.size();
        char buffer[8];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cp932_->handle, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            throw Error("the character " + codePointName(c) + " \"" + piece + "\" has no code in code page 932");
        // iconv maps some characters to another one's code (¥ to the code of \); such a text
        // would read back changed, so it counts as having no code.
        char* backIn = buffer;
        std::size_t backLeft = static_cast<std::size_t>(outPtr - buffer);
        char decoded[8];
        char* decodedPtr = decoded;
        std::size_t decodedLeft = sizeof decoded;
        iconv(cp932_->back, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cp932_->back, &backIn, &backLeft, &decodedPtr, &decodedLeft) == static_cast<std::size_t>(-1)
            || std::string_view(decoded, static_cast<std::size_t>(decodedPtr - decoded)) != piece)
            throw Error(
                "the character " + codePointName(c) + " \"" + piece + "\" has no code of its own in code page 932");
        out.insert(out.end(), buffer, outPtr);
    }
    return out;
}

std::size_t TextEncoder::lengthOf(const Bytes& stored) const
{
    return format_ == Format::Jet4 ? stored.size() / 2 : stored.size();
}

} // namespace jet::detail

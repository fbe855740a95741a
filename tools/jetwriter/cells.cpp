#include "cells.h"

#include "layout.h"
#include "numbers.h"

#include <bit>
#include <cstring>
#include <limits>

namespace jet::detail {

namespace {

// Access allows 64 characters in a name and none of these.
constexpr std::size_t kMaxNameChars = 64;
constexpr std::u32string_view kForbiddenInNames = U".!`[]";

const char* typeName(ColumnType type)
{
    switch (type) {
    case ColumnType::Int:
        return "Integer";
    case ColumnType::Long:
        return "Long Integer";
    case ColumnType::Single:
        return "Single";
    case ColumnType::Double:
        return "Double";
    case ColumnType::Text:
        return "Text";
    case ColumnType::Memo:
        return "Memo";
    }
    return "?";
}

template <typename T> T checked(Parsed<T> parsed, const Cell& cell, ColumnType type)
{
    if (parsed.error == NumberError::NotANumber)
        throw Error("\"" + *cell + "\" is not a number");
    if (parsed.error == NumberError::OutOfRange)
        throw Error("\"" + *cell + "\" is out of range for " + typeName(type));
    return parsed.value;
}

template <typename T> Bytes littleEndian(T value)
{
    static_assert(std::endian::native == std::endian::little, "the file is little-endian");
    Bytes out(sizeof value);
    std::memcpy(out.data(), &value, sizeof value);
    return out;
}

} // namespace

std::uint8_t typeByte(ColumnType type)
{
    switch (type) {
    case ColumnType::Int:
        return kTypeInt;
    case ColumnType::Long:
        return kTypeLong;
    case ColumnType::Single:
        return kTypeSingle;
    case ColumnType::Double:
        return kTypeDouble;
    case ColumnType::Text:
        return kTypeText;
    case ColumnType::Memo:
        return kTypeMemo;
    }
    return 0;
}

unsigned textBytes(const Column& column, Format format)
{
    if (column.type != ColumnType::Text)
        return 0;
    const auto chars = static_cast<unsigned>(column.textLength);
    return format == Format::Jet4 ? 2 * chars : chars;
}

CellEncoder::CellEncoder(Format format)
    : format_(format)
    , text_(format)
{
}

std::optional<Bytes> CellEncoder::encode(const Column& column, const Cell& cell)
{
    if (!cell)
        return std::nullopt;
    switch (column.type) {
    case ColumnType::Int:
        return littleEndian(static_cast<std::int16_t>(checked(
            parseInteger(*cell, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()),
            cell, column.type)));
    case ColumnType::Long:
        return littleEndian(checked(
            parseInteger(*cell, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()),
            cell, column.type));
    case ColumnType::Single:
        return littleEndian(checked(parseSingle(*cell), cell, column.type));
    case ColumnType::Double:
        return littleEndian(checked(parseDouble(*cell), cell, column.type));
    case ColumnType::Text: {
        Bytes stored = text_.encode(*cell);
        const std::size_t length = text_.lengthOf(stored);
        if (length > static_cast<std::size_t>(column.textLength)) {
            const std::string unit = format_ == Format::Jet4 ? " characters" : " bytes in code page 932";
            throw Error("\"" + *cell + "\" takes " + std::to_string(length) + unit + "; the field holds "
                + std::to_string(column.textLength));
        }
        return stored;
    }
    case ColumnType::Memo: {
        Bytes stored = text_.encode(*cell);
        const std::size_t length = text_.lengthOf(stored);
        if (length > kMaxMemoLength) {
            const std::string unit = format_ == Format::Jet4 ? " characters" : " bytes in code page 932";
            throw Error("the text takes " + std::to_string(length) + unit + "; a Memo field holds "
                + std::to_string(kMaxMemoLength));
        }
        return stored;
    }
    }
    return std::nullopt;
}

Bytes CellEncoder::encodeName(std::string_view utf8, std::string_view what)
{
    const std::string quoted = std::string(what) + " \"" + std::string(utf8) + "\"";
    const std::u32string chars = decodeUtf8(utf8);
    if (chars.empty())
        throw Error(std::string(what) + " is empty");
    if (chars.size() > kMaxNameChars)
        throw Error(quoted + " is longer than " + std::to_string(kMaxNameChars) + " characters");
    if (chars.front() == U' ')
        throw Error(quoted + " begins with a blank");
    for (const char32_t c : chars) {
        if (c < 0x20 || c == 0x7F || kForbiddenInNames.find(c) != std::u32string_view::npos)
            throw Error(quoted + " holds a character names may not have (control characters, . ! ` [ ])");
    }
    Bytes stored = text_.encode(utf8);
    if (format_ == Format::Jet3 && stored.size() > 0xFF)
        throw Error(quoted + " is too long in code page 932");
    return stored;
}

} // namespace jet::detail

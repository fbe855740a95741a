#include "csv.h"

namespace quilldb {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class Parser {
public:
    explicit Parser(std::string_view text)
        : text_(text)
    {
        if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            pos_ = kByteOrderMark.size();
    }

    std::vector<CsvRecord> records()
    {
        std::vector<CsvRecord> out;
        while (pos_ < text_.size()) {
            if (atLineEnd()) { // an empty line holds no record
                skipLineEnd();
                continue;
            }
            out.push_back(record());
        }
        return out;
    }

private:
    bool atLineEnd() const { return text_[pos_] == '\n' || text_[pos_] == '\r'; }

    void skipLineEnd()
    {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    CsvRecord record()
    {
        CsvRecord rec;
        for (;;) {
            rec.fields.push_back(field(rec.fields.size() + 1));
            if (pos_ >= text_.size())
                return rec;
            if (text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            skipLineEnd();
            return rec;
        }
    }

    CsvField field(std::size_t column)
    {
        CsvField f;
        f.line = line_;
        if (pos_ < text_.size() && text_[pos_] == '"')
            return quoted(std::move(f), column);
        while (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd()) {
            if (text_[pos_] == '"')
                throw CsvError("a quote inside a field that does not begin with one", line_, column);
            f.text.push_back(text_[pos_++]);
        }
        return f;
    }

    CsvField quoted(CsvField f, std::size_t column)
    {
        const std::size_t startLine = line_;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size())
                throw CsvError("the quoted field has no closing quote", startLine, column);
            const char c = text_[pos_];
            if (c == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    f.text.push_back('"');
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (c == '\n' || (c == '\r' && !(pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')))
                ++line_;
            f.text.push_back(c);
            ++pos_;
        }
        if (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd())
            throw CsvError("text after the closing quote", line_, column);
        return f;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

} // namespace

std::vector<CsvRecord> parseCsv(std::string_view text)
{
    return Parser(text).records();
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

} // namespace quilldb

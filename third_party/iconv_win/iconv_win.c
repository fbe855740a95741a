/* iconv over the Windows code-page API: one character at a time through UTF-16, so that the
 * POSIX error rules (where the input stops, E2BIG before a partial character) hold exactly. */
#include "iconv.h"

#include <windows.h>

#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

/* UCS-2LE is UTF-16LE without surrogate pairs, as glibc has it; 1 is no Windows code page. */
enum { kUtf8 = 65001, kUtf16Le = 1200, kUcs2Le = 1 };

struct rostari_iconv {
    unsigned from;
    unsigned to;
};

static int sameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'a' && x <= 'z')
            x = (char)(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = (char)(y - 'a' + 'A');
        if (x == '_')
            x = '-';
        if (y == '_')
            y = '-';
        if (x != y)
            return 0;
    }
    return *a == *b;
}

/* The number after a prefix ("CP932" -> 932), or 0. */
static unsigned numberAfter(const char* name, const char* prefix)
{
    const size_t length = strlen(prefix);
    if (strlen(name) <= length)
        return 0;
    char head[16];
    if (length >= sizeof head)
        return 0;
    memcpy(head, name, length);
    head[length] = '\0';
    if (!sameName(head, prefix))
        return 0;
    unsigned value = 0;
    for (const char* p = name + length; *p; ++p) {
        if (*p < '0' || *p > '9' || value > 100000)
            return 0;
        value = value * 10 + (unsigned)(*p - '0');
    }
    return value;
}

static unsigned codePageNamed(const char* name)
{
    static const struct {
        const char* name;
        unsigned codePage;
    } named[] = {
        { "UTF-8", kUtf8 },
        { "UTF8", kUtf8 },
        { "UTF-16LE", kUtf16Le },
        { "UCS-2LE", kUcs2Le },
        { "SHIFT-JIS", 932 },
        { "SJIS", 932 },
        { "MS-KANJI", 932 },
        { "WINDOWS-31J", 932 },
        { "BIG-5", 950 },
        { "BIG5", 950 },
        { "EUC-JP", 20932 },
        { "EUC-KR", 51949 },
        { "KOI8-R", 20866 },
        { "KOI8-U", 21866 },
        { "US-ASCII", 20127 },
        { "ASCII", 20127 },
    };
    for (size_t i = 0; i < sizeof named / sizeof named[0]; ++i) {
        if (sameName(name, named[i].name))
            return named[i].codePage;
    }
    unsigned number = numberAfter(name, "CP");
    if (!number)
        number = numberAfter(name, "WINDOWS-");
    if (!number)
        number = numberAfter(name, "IBM");
    if (number)
        return number;
    const unsigned latin = numberAfter(name, "ISO-8859-");
    return latin >= 1 && latin <= 16 ? 28590 + latin : 0;
}

static int isUsable(unsigned codePage)
{
    return codePage == kUtf8 || codePage == kUtf16Le || codePage == kUcs2Le
        || (codePage != 0 && IsValidCodePage(codePage));
}

iconv_t iconv_open(const char* tocode, const char* fromcode)
{
    const unsigned to = tocode ? codePageNamed(tocode) : 0;
    const unsigned from = fromcode ? codePageNamed(fromcode) : 0;
    if (!isUsable(to) || !isUsable(from)) {
        errno = EINVAL;
        return (iconv_t)-1;
    }
    iconv_t cd = malloc(sizeof *cd);
    if (!cd) {
        errno = ENOMEM;
        return (iconv_t)-1;
    }
    cd->from = from;
    cd->to = to;
    return cd;
}

int iconv_close(iconv_t cd)
{
    if (cd == (iconv_t)-1 || !cd) {
        errno = EBADF;
        return -1;
    }
    free(cd);
    return 0;
}

/* Reads one character as UTF-16 units; returns the bytes it took, 0 with errno set otherwise. */
static size_t decodeOne(unsigned codePage, const unsigned char* in, size_t left, wchar_t unit[2], int* units)
{
    if (codePage == kUtf16Le || codePage == kUcs2Le) {
        if (left < 2)
            return errno = EINVAL, 0;
        const unsigned first = in[0] | (unsigned)in[1] << 8;
        unit[0] = (wchar_t)first;
        *units = 1;
        if ((first >= 0xDC00 && first <= 0xDFFF) || (codePage == kUcs2Le && first >= 0xD800 && first <= 0xDBFF))
            return errno = EILSEQ, 0;
        if (first < 0xD800 || first > 0xDBFF)
            return 2;
        if (left < 4)
            return errno = EINVAL, 0;
        const unsigned second = in[2] | (unsigned)in[3] << 8;
        if (second < 0xDC00 || second > 0xDFFF)
            return errno = EILSEQ, 0;
        unit[1] = (wchar_t)second;
        *units = 2;
        return 4;
    }
    if (codePage == kUtf8) {
        const unsigned lead = in[0];
        size_t extra;
        uint32_t c, minimum;
        if (lead < 0x80) {
            unit[0] = (wchar_t)lead;
            *units = 1;
            return 1;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, c = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, c = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, c = lead & 0x07, minimum = 0x10000;
        } else {
            return errno = EILSEQ, 0;
        }
        for (size_t k = 1; k <= extra; ++k) {
            if (k >= left)
                return errno = EINVAL, 0;
            if ((in[k] & 0xC0) != 0x80)
                return errno = EILSEQ, 0;
            c = c << 6 | (in[k] & 0x3F);
        }
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return errno = EILSEQ, 0;
        if (c < 0x10000) {
            unit[0] = (wchar_t)c;
            *units = 1;
        } else {
            unit[0] = (wchar_t)(0xD800 + ((c - 0x10000) >> 10));
            unit[1] = (wchar_t)(0xDC00 + ((c - 0x10000) & 0x3FF));
            *units = 2;
        }
        return extra + 1;
    }
    const size_t length = IsDBCSLeadByteEx(codePage, in[0]) ? 2 : 1;
    if (length > left)
        return errno = EINVAL, 0;
    *units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, (const char*)in, (int)length, unit, 2);
    if (*units <= 0)
        return errno = EILSEQ, 0;
    return length;
}

/* Writes one character; returns the bytes written, 0 with errno set otherwise. */
static size_t encodeOne(unsigned codePage, const wchar_t unit[2], int units, unsigned char* out, size_t room)
{
    unsigned char buffer[8];
    size_t length = 0;
    if (codePage == kUcs2Le && units == 2)
        return errno = EILSEQ, 0;
    if (codePage == kUtf16Le || codePage == kUcs2Le) {
        for (int i = 0; i < units; ++i) {
            buffer[length++] = (unsigned char)(unit[i] & 0xFF);
            buffer[length++] = (unsigned char)(unit[i] >> 8);
        }
    } else if (codePage == kUtf8) {
        uint32_t c = unit[0];
        if (units == 2)
            c = 0x10000 + ((c - 0xD800) << 10) + ((uint32_t)unit[1] - 0xDC00);
        if (c < 0x80) {
            buffer[length++] = (unsigned char)c;
        } else if (c < 0x800) {
            buffer[length++] = (unsigned char)(0xC0 | c >> 6);
            buffer[length++] = (unsigned char)(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            buffer[length++] = (unsigned char)(0xE0 | c >> 12);
            buffer[length++] = (unsigned char)(0x80 | (c >> 6 & 0x3F));
            buffer[length++] = (unsigned char)(0x80 | (c & 0x3F));
        } else {
            buffer[length++] = (unsigned char)(0xF0 | c >> 18);
            buffer[length++] = (unsigned char)(0x80 | (c >> 12 & 0x3F));
            buffer[length++] = (unsigned char)(0x80 | (c >> 6 & 0x3F));
            buffer[length++] = (unsigned char)(0x80 | (c & 0x3F));
        }
    } else {
        /* No best fit: a character the code page lacks is an error, not a look-alike. */
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(
            codePage, WC_NO_BEST_FIT_CHARS, unit, units, (char*)buffer, sizeof buffer, NULL, &usedDefault);
        if (n <= 0 || usedDefault)
            return errno = EILSEQ, 0;
        length = (size_t)n;
    }
    if (length > room)
        return errno = E2BIG, 0;
    memcpy(out, buffer, length);
    return length;
}

size_t iconv(iconv_t cd, char** inbuf, size_t* inbytesleft, char** outbuf, size_t* outbytesleft)
{
    if (cd == (iconv_t)-1 || !cd) {
        errno = EBADF;
        return (size_t)-1;
    }
    if (!inbuf || !*inbuf)
        return 0; /* no shift states to reset or write */
    while (*inbytesleft > 0) {
        wchar_t unit[2];
        int units = 0;
        const size_t taken = decodeOne(cd->from, (const unsigned char*)*inbuf, *inbytesleft, unit, &units);
        if (!taken)
            return (size_t)-1;
        const size_t written = encodeOne(cd->to, unit, units, (unsigned char*)*outbuf, *outbytesleft);
        if (!written)
            return (size_t)-1;
        *inbuf += taken;
        *inbytesleft -= taken;
        *outbuf += written;
        *outbytesleft -= written;
    }
    return 0;
}

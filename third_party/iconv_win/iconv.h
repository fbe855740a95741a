/* iconv for Windows over the system's own code-page conversion (MultiByteToWideChar and
 * WideCharToMultiByte), for libmdb and the Access writer. MinGW-w64 ships no iconv.
 * Encodings: UTF-8, UTF-16LE, UCS-2LE (no surrogates), and the Windows code pages by name
 * (CP932, SHIFT-JIS, WINDOWS-1252, IBM850, ISO-8859-1, ...). Errors follow POSIX: E2BIG,
 * EILSEQ (also for a character the target lacks), EINVAL (input ends inside a character). */
#ifndef ROSTARI_ICONV_WIN_H
#define ROSTARI_ICONV_WIN_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct rostari_iconv* iconv_t;

iconv_t iconv_open(const char* tocode, const char* fromcode);
size_t iconv(iconv_t cd, char** inbuf, size_t* inbytesleft, char** outbuf, size_t* outbytesleft);
int iconv_close(iconv_t cd);

#ifdef __cplusplus
}
#endif

#endif

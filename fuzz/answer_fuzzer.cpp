// Arbitrary bytes as the reader's output, through the viewer's decoder: the progress records
// before the answer as the loader reads them, then the answer. No output makes it hold more than
// its bound, and whatever it accepts is exactly what the reader writes for the progress and the
// tables it decoded (so it is within the limits the reader keeps to).

#include "recordwire.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sanitizer/allocator_interface.h>
#include <string>
#include <string_view>

namespace {

// What the decoded tables of any answer may hold, as the bytes the program asked for
// (fuzz/README.md works it out).
constexpr std::size_t kDecodedBound = 16u * 1024 * 1024;

} // namespace

// A small quarantine for freed memory, so that the fuzzer's RSS limit watches the decoder.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view output(reinterpret_cast<const char*>(data), size);
    std::size_t pos = 0;
    quill::wire::Progress progress;
    std::string written;
    while (quill::wire::readProgress(output, pos, progress))
        written += quill::wire::encodeProgress(progress);
    if (written != output.substr(0, pos))
        std::abort();
    const std::string_view answer = output.substr(pos);
    const std::size_t before = __sanitizer_get_current_allocated_bytes();
    quill::MdbTable sizes;
    quill::MdbTable sources;
    const bool accepted = quill::wire::decode(answer, sizes, sources);
    if (__sanitizer_get_current_allocated_bytes() - before > kDecodedBound)
        std::abort();
    if (accepted && quill::wire::encode(sizes, sources) != answer)
        std::abort();
    return 0;
}

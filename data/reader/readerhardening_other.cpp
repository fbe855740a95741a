#include "readerhardening.h"

namespace quill {

// No system call filter here. On Windows the equivalent would go in this place: the reader put
// in a job object (no child processes, a memory limit, no UI access) and run with a restricted
// token at low integrity, so that a file which takes it over cannot reach the user's files.
bool confineReader()
{
    return true;
}

} // namespace quill

#include "readerhardening.h"

namespace quill {

void limitReader()
{
    // Nothing yet: the viewer stops the reader after two seconds. A job object with memory and
    // CPU-time limits (and no child processes), or a restricted token, would go here.
}

} // namespace quill

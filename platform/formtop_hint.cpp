#include "formtop_hint.h"

#include <QWidget>

std::int32_t formTopByHint(QWidget& form, bool above)
{
    // Changing the hint re-creates the native window hidden; Qt keeps its place and size.
    if (form.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != above)
        form.setWindowFlag(Qt::WindowStaysOnTopHint, above);
    form.show();
    return 1;
}

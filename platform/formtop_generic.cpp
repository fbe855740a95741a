#include "formtop.h"

#include <QWidget>

// Placeholder until the keep-above implementation lands.
std::int32_t FormTop(QWidget& form, std::int16_t mode)
{
    (void)form;
    (void)mode;
    return 0;
}

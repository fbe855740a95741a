#include "formtop.h"
#include "formtop_hint.h"
#include "formtop_mode.h"

#include <QWidget>

std::int32_t FormTop(QWidget& form, std::int16_t mode)
{
    const std::optional<bool> above = aboveForMode(mode);
    return above ? formTopByHint(form, *above) : 0;
}

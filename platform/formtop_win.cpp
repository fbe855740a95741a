#include "formtop.h"
#include "formtop_hint.h"
#include "formtop_mode.h"

#include <QGuiApplication>
#include <QWidget>

#include <windows.h>

std::int32_t FormTop(QWidget& form, std::int16_t mode)
{
    const std::optional<bool> above = aboveForMode(mode);
    if (!above)
        return 0;
    // Only the windows platform has real window handles (not offscreen, say).
    if (QGuiApplication::platformName() != QLatin1String("windows"))
        return formTopByHint(form, *above);
    // Shown through Qt first, so that the toolkit knows the window is visible.
    if (!form.isVisible())
        form.show();
    const auto hwnd = reinterpret_cast<HWND>(form.winId());
    constexpr UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW; // 0x43
    return SetWindowPos(hwnd, *above ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

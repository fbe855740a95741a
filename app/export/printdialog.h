#pragma once

#include "sheetprint.h"

// The part of printing that needs Qt's printing support. On systems with shared libraries it is a
// module of its own, loaded when the user first prints.
#if defined(ROSTARI_PRINT_MODULE)
#define ROSTARI_PRINT_API extern "C" Q_DECL_EXPORT
#else
#define ROSTARI_PRINT_API extern "C"
#endif

ROSTARI_PRINT_API void rostariPrintPage(
    QWidget* parent, const QString& documentName, const PagePainter& paint, QString* error);

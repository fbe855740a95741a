#pragma once

#include "sheet.h"

#include <QByteArray>

namespace sheet {

// The sheet as a one-page PDF: A4 landscape, text as text in embedded fonts.
QByteArray pdf(const Content& content);

// A designation as part of a file name: characters no file name may hold become "_".
QString fileNameSafe(const QString& designation);

// "M8_六角穴付ボルト": the sheet's name, also for the printer's queue and the PDF's file.
QString documentName(const QString& designation);

} // namespace sheet

#pragma once

#include <QString>

// What a value label shows, in words and with its symbol, for screen readers ("頭部径 dk").
// Empty for a name that is no value label.
QString dimensionDescription(const QString& labelName);

#pragma once

#include <QByteArray>
#include <QString>

// Writes a file whole or not at all: into a temporary file beside it, renamed over the path only
// when everything is written. Returns an empty string on success, otherwise what went wrong in
// words for the user (the folder cannot be written, the disk is full, ...); nothing is left behind.
QString saveWhole(const QString& path, const QByteArray& bytes);

#pragma once

// The store beneath SettingsStore, as the tests reach it directly: Quillmark.conf in the
// configuration folder (INI, bytes as written) on Linux, the registry key on Windows.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace rawstore {

#ifdef Q_OS_WIN
inline const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Quillmark");
#endif

inline QString file()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Quillmark.conf");
}

inline std::unique_ptr<QSettings> open()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(kKey, QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(file(), QSettings::IniFormat);
#endif
}

inline void clear()
{
#ifdef Q_OS_WIN
    open()->clear();
#else
    QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(file());
    QDir(file()).removeRecursively();
#endif
}

// Writes "Section/key" entries in the store's own form: the values' bytes into the INI file, or
// the values as UTF-8 text into the registry (where bytes that are no UTF-8 cannot be stored).
inline void write(const QList<QPair<QString, QByteArray>>& entries)
{
#ifdef Q_OS_WIN
    const auto settings = open();
    for (const auto& [key, value] : entries)
        settings->setValue(key, QString::fromUtf8(value));
#else
    QByteArray text;
    QString section;
    for (const auto& [key, value] : entries) {
        const QString group = key.section(QLatin1Char('/'), 0, 0);
        if (group != section)
            text += '[' + group.toUtf8() + "]\n";
        section = group;
        text += key.section(QLatin1Char('/'), 1).toUtf8() + '=' + value + '\n';
    }
    QDir().mkpath(QFileInfo(file()).path());
    QFile out(file());
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        out.write(text);
        out.flush();
        // QSettings keeps a file it has read in this process and reads it again only when its size
        // or its time to the millisecond differs. A new start of the program has no such memory, so
        // a rewrite of the same size within the millisecond of the program's last write would go
        // unseen here alone. A day back is a time no write of the program's in this run can have,
        // and the tests' own writes are a program start apart.
        out.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    }
#endif
}

} // namespace rawstore

#include "savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

// Why a file could not be written, from what can be seen of its folder once the attempt is gone.
QString reason(const QString& path, qint64 size, bool opened)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    const QString where = QDir::toNativeSeparators(folder.absoluteFilePath());
    if (!folder.exists())
        return QStringLiteral("フォルダー %1 がありません。").arg(where);
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.isReadOnly())
        return QStringLiteral("%1 は読み取り専用の場所です。別のフォルダーを選んでください。").arg(where);
    if (!opened && !folder.isWritable())
        return QStringLiteral("フォルダー %1 に書き込む権限がありません。別のフォルダーを選んでください。").arg(where);
    if (storage.isValid() && storage.bytesAvailable() < size)
        return QStringLiteral(
            "ディスクの空きが足りません（%1 に %2 KB が要ります）。空きを作るか、別の場所を選んでください。")
            .arg(where)
            .arg((size + 1023) / 1024);
    if (file.exists() && !file.isWritable())
        return QStringLiteral("同じ名前の読み取り専用のファイルがあります。別の名前で保存してください。");
    return QStringLiteral("書き込みに失敗しました。");
}

} // namespace

QString saveWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    bool opened = file.open(QIODevice::WriteOnly);
    if (opened && file.write(bytes) == bytes.size() && file.commit())
        return QString();
    // The system's own words, where it gave any.
    const QString detail = file.errorString() == QFile().errorString()
        ? QString()
        : QStringLiteral("\n（詳細：%1）").arg(file.errorString());
    file.cancelWriting();
    return QStringLiteral("%1 を保存できませんでした。\n%2\n書きかけのファイルは残していません。%3")
        .arg(QDir::toNativeSeparators(path), reason(path, bytes.size(), opened), detail);
}

#include "recordsource.h"

#include "sizefields.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace quill {

RecordSource::RecordSource(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("Data1_Records"));
    connect(&m_loader, &quill::RecordLoader::loaded, this, &RecordSource::onLoaded);
    connect(&m_loader, &quill::RecordLoader::failed, this, &RecordSource::onFailed);
    connect(&m_loader, &quill::RecordLoader::readingLong, this, [this] {
        if (m_opened)
            emit readingLong(true);
    });
}

void RecordSource::expectField(const QString& field)
{
    if (!m_expectedFields.contains(field))
        m_expectedFields.append(field);
}

RecordSource::FileStamp RecordSource::stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return { info.size(), info.lastModified(), info.metadataChangeTime() };
}

void RecordSource::readAhead(const QString& path)
{
    const FileStamp stamp = stampOf(path);
    if (m_opened || stamp.size < 0)
        return;
    m_ahead = Ahead::Reading;
    m_aheadPath = path;
    m_aheadStamp = stamp;
    m_loader.start(path);
}

void RecordSource::open()
{
    m_opened = true;
    const Ahead ahead = std::exchange(m_ahead, Ahead::None);
    if (ahead == Ahead::None || m_aheadPath != m_databaseName || m_aheadStamp != stampOf(m_databaseName)) {
        m_heldTable = {};
        m_loader.start(m_databaseName); // stops a read ahead still running
        return;
    }
    switch (ahead) {
    case Ahead::Reading:
        // Its answer is shown as it comes; it may have come already.
        m_loader.collect();
        if (m_loader.isReadingLong())
            emit readingLong(true);
        break;
    case Ahead::Loaded:
        onLoaded(std::exchange(m_heldTable, {}));
        break;
    case Ahead::Failed:
        onFailed(m_aheadPath, m_heldReason);
        break;
    case Ahead::None:
        break;
    }
}

void RecordSource::reload()
{
    if (hasRecord())
        m_keepDesignation = m_records.value(QString::fromUtf8(quill::kSizeFields[0].fieldName));
    m_opened = true;
    m_ahead = Ahead::None;
    m_heldTable = {};
    emit readingLong(false);
    m_loader.start(m_databaseName); // stops a read still running
}

void RecordSource::moveFirst()
{
    move(&quill::SizeRecords::moveFirst);
}

void RecordSource::movePrevious()
{
    move(&quill::SizeRecords::movePrevious);
}

void RecordSource::moveNext()
{
    move(&quill::SizeRecords::moveNext);
}

void RecordSource::moveLast()
{
    move(&quill::SizeRecords::moveLast);
}

void RecordSource::move(bool (quill::SizeRecords::*step)())
{
    if ((m_records.*step)())
        emit currentChanged(currentIndex());
}

void RecordSource::onLoaded(const quill::SizeTable& table)
{
    if (!m_opened) {
        m_ahead = Ahead::Loaded;
        m_heldTable = table;
        return;
    }
    emit readingLong(false);
    m_records.setTable(table);
    if (!m_keepDesignation.isEmpty()) {
        const int field = table.fieldIndex(QString::fromUtf8(quill::kSizeFields[0].fieldName));
        for (int row = 0; field >= 0 && row < m_records.count(); ++row)
            if (table.rows[row].value(field) == m_keepDesignation) {
                m_records.moveTo(row);
                break;
            }
        m_keepDesignation.clear();
    }
    QStringList missing;
    for (const QString& field : std::as_const(m_expectedFields))
        if (!m_records.hasField(field))
            missing.append(field);
    // Neither stops the window: what can be shown is shown, and the user is told what cannot.
    const QString where = QStringLiteral("データベース %1 のテーブル「六角穴付ボルト」").arg(m_databaseName);
    QStringList problems;
    if (!missing.isEmpty())
        problems.append(where
            + QStringLiteral("に項目がありません: %1（これらの寸法は空欄で表示します）")
                  .arg(missing.join(QStringLiteral("、"))));
    if (m_records.count() == 0)
        problems.append(where + QStringLiteral("にレコードがありません"));
    if (!problems.isEmpty()) {
        const QString message = problems.join(QLatin1Char('\n'));
        std::fprintf(stderr, "rostari-bolt: %s\n", qUtf8Printable(message));
        emit problem(message);
    }
    if (hasRecord())
        emit currentChanged(currentIndex());
    emit opened(true);
}

void RecordSource::onFailed(const QString& path, const QString& reason)
{
    if (!m_opened) {
        m_ahead = Ahead::Failed;
        m_heldReason = reason;
        return;
    }
    emit readingLong(false);
    m_keepDesignation.clear();
    const QString message = quill::RecordLoader::failureMessage(path, reason);
    std::fprintf(stderr, "rostari-bolt: %s\n", qUtf8Printable(message));
    emit problem(message);
    emit opened(false);
}

QString RecordSource::workingDirectoryDatabase()
{
    // A drive's root ("C:/") ends in a separator already; "/" is joined as ever ("//quilldat.mdb").
    const QString folder = QDir::currentPath();
    const bool ends = folder.size() > 1 && folder.endsWith(QLatin1Char('/'));
    return QDir::toNativeSeparators(folder + (ends ? QString() : QStringLiteral("/")) + QStringLiteral("quilldat.mdb"));
}

RecordSource* RecordSource::readingAhead(QObject* parent)
{
    auto* source = new RecordSource(parent);
    source->readAhead(workingDirectoryDatabase());
    return source;
}

} // namespace quill

#include "recordloader.h"

#include "readerhardening.h"
#include "readerjob.h"
#include "recordwire.h"
#include "sizefields.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace quill {

namespace {

QString reasonFor(MdbTable::Status status)
{
    switch (status) {
    case MdbTable::Status::Ok:
        break;
    case MdbTable::Status::Missing:
        return QStringLiteral("ファイルがありません");
    case MdbTable::Status::Unreadable:
        return QStringLiteral("ファイルを読み取れません");
    case MdbTable::Status::NotDatabase:
        return QStringLiteral("Access のデータベースファイルではありません");
    case MdbTable::Status::NoTable:
        return QStringLiteral("テーブル「%1」がありません").arg(QString::fromUtf8(kSizeTableName));
    case MdbTable::Status::Corrupt:
        return QStringLiteral("データベースが壊れています");
    case MdbTable::Status::Locked:
        return QStringLiteral("ほかのプログラムが書き込み用に開いているため読み取れません");
    }
    return {};
}

SizeTable toSizeTable(const MdbTable& table)
{
    SizeTable result;
    for (const auto& field : table.fields)
        result.fields.append(QString::fromStdString(field));
    result.rows.reserve(static_cast<qsizetype>(table.rows.size()));
    for (const auto& row : table.rows) {
        auto& out = result.rows.emplace_back();
        out.reserve(static_cast<qsizetype>(row.size()));
        for (const auto& cell : row)
            out.append(cell ? std::optional<QString>(QString::fromStdString(*cell)) : std::nullopt);
    }
    return result;
}

} // namespace

RecordLoader::RecordLoader(QObject* parent)
    : QObject(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        if (m_process)
            m_process->kill();
    });
    m_stall.setSingleShot(true);
    // Said at once: a reader stuck on a drive that stopped answering may take long to end.
    connect(&m_stall, &QTimer::timeout, this, [this] {
        if (m_process)
            fail(QStringLiteral("ファイルを時間内に読み込めませんでした（%1 秒間、読み込みが進みません）。"
                                "ネットワークやドライブを確認してから、［ﾌｧｲﾙ］の［再読み込み］(Ctrl+R) "
                                "を選んでください")
                     .arg(kStallLimitMs / 1000));
    });
    m_longRead.setSingleShot(true);
    connect(&m_longRead, &QTimer::timeout, this, [this] {
        if (!m_process)
            return;
        m_long = true;
        emit readingLong();
    });
}

RecordLoader::~RecordLoader()
{
    stopProcess();
    // A reader that outlives its loader goes with the program: destroying its QProcess would wait
    // for it.
    for (QProcess* stuck : findChildren<QProcess*>(Qt::FindDirectChildrenOnly))
        if (stuck->state() != QProcess::NotRunning)
            stuck->setParent(nullptr);
}

QString RecordLoader::readerProgram()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("rostari-mdbread.exe");
#else
    const QString name = QStringLiteral("rostari-mdbread");
#endif
    const QDir programDir(QCoreApplication::applicationDirPath());
    QString beside = programDir.filePath(name);
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QDir::cleanPath(programDir.filePath(QStringLiteral("../libexec/rostari-bolt/") + name));
}

QString RecordLoader::failureMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("データベースを開けません: %1 — %2").arg(path, reason);
}

void RecordLoader::start(const QString& path)
{
    stopProcess();
    m_path = path;
    m_output.clear();
    m_progress = {};
    m_progressBytes = 0;
    m_inMemory = false;
    m_long = false;
    m_timedOut = false;

    // The reader checks everything again; these two need no process to tell.
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return fail(reasonFor(MdbTable::Status::Missing));
    if (info.isDir())
        return fail(QStringLiteral("フォルダーであり、ファイルではありません"));

    const QString program = readerProgram();
    if (!QFileInfo(program).isExecutable())
        return fail(QStringLiteral("読み取りプログラムがありません (%1)").arg(QDir::toNativeSeparators(program)));

    auto* process = new QProcess(this);
    m_process = process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("MDBPATH"));
    process->setProcessEnvironment(env);
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setStandardInputFile(QProcess::nullDevice());
    connect(process, &QProcess::readyReadStandardOutput, this, &RecordLoader::onOutput);
    connect(process, &QProcess::finished, this, &RecordLoader::onFinished);
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && m_process == process)
            fail(QStringLiteral("読み取りプログラムを起動できません"));
    });
    m_job = std::make_unique<ReaderJob>();
    m_job->prepare(*process);
    m_stall.start(kStallLimitMs);
    m_longRead.start(kLongReadMs);
    process->start(program, { QFileInfo(path).absoluteFilePath() }, QIODevice::ReadOnly);
    if (m_process == process && process->state() != QProcess::NotRunning && !m_job->enclose(*process))
        fail(ReaderJob::notConfinedReason());
}

void RecordLoader::collect()
{
    if (m_process)
        m_process->waitForFinished(0);
}

void RecordLoader::onOutput()
{
    if (!m_process)
        return;
    m_output += m_process->readAllStandardOutput();
    if (!m_inMemory) {
        // Progress while the file comes in; each record is a sign of life.
        const std::string_view output(m_output.constData(), static_cast<std::size_t>(m_output.size()));
        std::size_t pos = 0;
        bool progressed = false;
        while (wire::readProgress(output, pos, m_progress))
            progressed = true;
        m_inMemory = wire::atAnswer(output, pos);
        m_progressBytes += pos;
        m_output.remove(0, static_cast<qsizetype>(pos));
        if (m_inMemory) {
            m_stall.stop();
            m_deadline.start(kTimeLimitMs);
        } else if (progressed) {
            m_stall.start(kStallLimitMs);
        }
        if (m_progressBytes > wire::kMaxProgressBytes)
            m_process->kill();
    }
    if (static_cast<std::size_t>(m_output.size()) > wire::kMaxBytes)
        m_process->kill();
}

void RecordLoader::onFinished(int exitCode, QProcess::ExitStatus status)
{
    if (!m_process)
        return;
    onOutput();
    m_stall.stop();
    m_deadline.stop();
    m_longRead.stop();
    const bool timedOut = m_timedOut;
    const bool inMemory = m_inMemory;
    m_process->deleteLater();
    m_process = nullptr;
    m_job.reset();

    // Nothing is said about the file's content before the reader has all of it.
    if (!inMemory && status == QProcess::CrashExit)
        return fail(QStringLiteral("読み取りプログラムがファイルの読み込み中に異常終了しました"));
    if (!inMemory && exitCode != kReaderNotConfined)
        return fail(QStringLiteral("読み取りプログラムの応答が不正です"));
    if (timedOut)
        return fail(QStringLiteral("データベースが壊れています（読み込んだ内容の解析が %1 秒以内に終わりませんでした）")
                        .arg(kTimeLimitMs / 1000));
    if (status == QProcess::CrashExit)
        return fail(QStringLiteral("データベースが壊れています（読み取り中に異常終了しました）"));
    if (exitCode == kReaderNotConfined)
        return fail(ReaderJob::notConfinedReason());
    MdbTable table;
    MdbTable sources;
    const bool answered = exitCode == 0
        && wire::decode(
            std::string_view(m_output.constData(), static_cast<std::size_t>(m_output.size())), table, sources);
    m_output.clear();
    if (!answered)
        return fail(QStringLiteral("データベースが壊れています（読み取り結果が不正です）"));
    if (table.status != MdbTable::Status::Ok)
        return fail(reasonFor(table.status));
    // No source table is an ordinary file that claims nothing; a damaged one is a damaged file.
    if (sources.status != MdbTable::Status::Ok && sources.status != MdbTable::Status::NoTable)
        return fail(reasonFor(sources.status));
    SizeTable result = toSizeTable(table);
    if (sources.status == MdbTable::Status::Ok)
        result.sources = SourceNotes(std::move(sources));
    emit loaded(result);
}

void RecordLoader::fail(const QString& reason)
{
    stopProcess();
    emit failed(m_path, reason);
}

void RecordLoader::stopProcess()
{
    m_stall.stop();
    m_deadline.stop();
    m_longRead.stop();
    if (!m_process)
        return;
    QProcess* process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    m_job.reset(); // ends whatever still runs in it
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        // A reader waiting on a drive that stopped answering ends only once the drive answers:
        // it is not waited for, and its process object goes when it has ended.
        if (!process->waitForFinished(500)) {
            connect(process, &QProcess::finished, process, &QObject::deleteLater);
            return;
        }
    }
    process->deleteLater();
}

} // namespace quill

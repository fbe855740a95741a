#include "readerjob.h"

#include <QProcess>

namespace quill {

struct ReaderJob::State { };

ReaderJob::ReaderJob() = default;
ReaderJob::~ReaderJob() = default;

void ReaderJob::prepare(QProcess&) { }

bool ReaderJob::enclose(QProcess&)
{
    return true;
}

QString ReaderJob::notConfinedReason()
{
    return QStringLiteral("読み取りプログラムを安全に実行できません（システムコールを制限できません）");
}

} // namespace quill

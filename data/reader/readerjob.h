#pragma once

#include <QString>

#include <memory>

class QProcess;

namespace quill {

// What the viewer puts the reader in before it runs, where the platform has it (readerjob_win.cpp:
// a job object with limits the reader cannot lift; readerjob_other.cpp: nothing, the reader
// confines itself alone). One per reader process; destroying it ends whatever still runs in it.
class ReaderJob {
public:
    ReaderJob();
    ~ReaderJob();
    ReaderJob(const ReaderJob&) = delete;
    ReaderJob& operator=(const ReaderJob&) = delete;

    // Before QProcess::start(): how the process is to be created.
    void prepare(QProcess& process);
    // Right after QProcess::start(): puts the reader in the job and lets it run. False when it
    // cannot be confined; the caller kills it then.
    bool enclose(QProcess& process);

    // Why the reader does not run, when it cannot be confined here.
    static QString notConfinedReason();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace quill

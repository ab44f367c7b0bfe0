#include "events/ui/LoqRunner.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include "events/LoqFiles.h"

namespace zel {

LoqOutcome RunLoq(const QString& folder, int number, int timeoutMs, const std::function<void(const QString&)>& onOutput) {
    const QString dir = QString::fromStdString(WithTrailingSeparator(folder.toStdString()));
    LoqOutcome outcome;
    QProcess process;
    process.setWorkingDirectory(dir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QByteArray received;
    auto drain = [&] {
        const QByteArray chunk = process.readAllStandardOutput();
        const qsizetype room = kLoqOutputLimit - received.size();
        if (room <= 0) return;  // read and dropped, so the child never blocks on a full pipe
        const QByteArray kept = chunk.left(room);
        received += kept;
        if (onOutput) onOutput(QString::fromLocal8Bit(kept));
    };
    QObject::connect(&process, &QProcess::readyReadStandardOutput, drain);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        outcome.timedOut = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) loop.quit();
    });
    process.start(dir + kLoqProgram, {"-O", QString::number(number), "-r", kLoqConfigName});
    if (!process.waitForStarted(5000)) {
        outcome.output = QString::fromLocal8Bit(received);
        return outcome;
    }
    outcome.started = true;
    timer.start(timeoutMs);
    if (process.state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
    drain();  // what is still in the pipe after the end
    if (!outcome.timedOut && process.exitStatus() == QProcess::NormalExit) outcome.exitCode = process.exitCode();
    outcome.crashed = !outcome.timedOut && process.exitStatus() == QProcess::CrashExit;
    outcome.output = QString::fromLocal8Bit(received);
    return outcome;
}

QString LoqProblem(const QString& folder, const LoqOutcome& outcome, int timeoutMs) {
    const QString program = QString::fromStdString(WithTrailingSeparator(folder.toStdString())) + kLoqProgram;
    if (!outcome.started) return qtTrId("Не удалось запустить %1").arg(program);
    if (outcome.timedOut)
        return qtTrId("%1 не завершился за %2 с и был остановлен").arg(program).arg(timeoutMs / 1000.0);
    if (outcome.crashed) return qtTrId("%1 завершился аварийно").arg(program);
    if (outcome.exitCode != 0) return qtTrId("%1 завершился с кодом %2").arg(program).arg(outcome.exitCode);
    return {};
}

}  // namespace zel

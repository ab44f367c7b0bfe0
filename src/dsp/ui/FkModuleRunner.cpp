#include "dsp/ui/FkModuleRunner.h"

#include <QProcess>
#include <QStringList>

#include "base/ZelError.h"

namespace zel {

FkModuleResult RunFkModule(const std::string& module, const FkExchangeFiles& files, int timeoutMs) {
    const std::string startError = "Ошибка запуска модуля \n'" + module + "'";
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QString::fromStdString(module),
                  {QString::fromStdString(files.wfdisc), QString::fromStdString(files.results),
                   QString::number(files.window, 'f', 6)});
    if (!process.waitForStarted()) throw ZelError(startError);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        throw ZelError(startError + "\nМодуль не завершился за " + std::to_string(timeoutMs / 1000) +
                       " с и остановлен");
    }
    // A module that crashed or reported a failure may have left an answer half-made: not believed.
    if (process.exitStatus() == QProcess::CrashExit)
        throw ZelError(startError + "\nМодуль завершился аварийно");
    if (process.exitCode() != 0)
        throw ZelError(startError + "\nМодуль завершился с кодом " + std::to_string(process.exitCode()));
    const auto result = ReadFkResults(files.results);
    if (!result) throw ZelError("Ошибка открытия файла результатов F-K анализа:\n'" + files.results + "'");
    return *result;
}

}  // namespace zel

#include "dsp/ui/FkModuleRunner.h"

#include <QProcess>
#include <QStringList>

#include "base/ZelError.h"

namespace zel {

FkModuleResult RunFkModule(const std::string& module, const FkExchangeFiles& files, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QString::fromStdString(module),
                  {QString::fromStdString(files.wfdisc), QString::fromStdString(files.results),
                   QString::number(files.window, 'f', 6)});
    if (!process.waitForStarted()) throw ZelError(Tr("Ошибка запуска модуля \n'%1'").arg(module));
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        throw ZelError(Tr("Ошибка запуска модуля \n'%1'\nМодуль не завершился за %2 с и остановлен")
                           .arg(module)
                           .arg(timeoutMs / 1000));
    }
    // A module that crashed or reported a failure may have left an answer half-made: not believed.
    if (process.exitStatus() == QProcess::CrashExit)
        throw ZelError(Tr("Ошибка запуска модуля \n'%1'\nМодуль завершился аварийно").arg(module));
    if (process.exitCode() != 0)
        throw ZelError(Tr("Ошибка запуска модуля \n'%1'\nМодуль завершился с кодом %2")
                           .arg(module)
                           .arg(process.exitCode()));
    const auto result = ReadFkResults(files.results);
    if (!result)
        throw ZelError(Tr("Ошибка открытия файла результатов F-K анализа:\n'%1'").arg(files.results));
    return *result;
}

}  // namespace zel

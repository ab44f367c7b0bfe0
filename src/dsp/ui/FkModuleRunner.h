#pragma once
// Starting the external F-K module on the exchange files and reading its answer. The module is
// waited for at most a given time: one that hangs is killed rather than blocking the workstation.

#include <string>

#include "dsp/FkExchange.h"

namespace zel {

// Runs `module wfdisc results window` and reads the results file. Throws ZelError with the
// analyst's text: "Ошибка запуска модуля \n'%1'" when it cannot start or is killed after
// timeoutMs, crashes or ends with a status other than 0 (its answer is then not read), "Ошибка
// открытия файла результатов F-K анализа:\n'%1'" when it leaves no readable answer.
FkModuleResult RunFkModule(const std::string& module, const FkExchangeFiles& files, int timeoutMs);

}  // namespace zel

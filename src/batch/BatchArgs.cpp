#include "batch/BatchArgs.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "base/UserText.h"

namespace zel::batch {

BatchArgs::BatchArgs(const std::vector<std::string>& args, const std::set<std::string>& flags) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.rfind("--", 0) != 0) {
            positional_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg.substr(2);
        std::string value;
        bool hasValue = false;
        if (auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.erase(eq);
            hasValue = true;
        }
        if (flags.count(name)) {
            if (hasValue) throw UsageError(Tr("option --%1 takes no value").arg(name));
            flagsGiven_.insert(name);
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) throw UsageError(Tr("option --%1 needs a value").arg(name));
            value = args[++i];
        }
        if (options_.count(name)) throw UsageError(Tr("option --%1 given twice").arg(name));
        options_[name] = value;
    }
}

bool BatchArgs::flag(const std::string& name) {
    used_.insert(name);
    return flagsGiven_.count(name) > 0;
}

std::string BatchArgs::option(const std::string& name, const std::string& fallback) {
    used_.insert(name);
    auto it = options_.find(name);
    return it == options_.end() ? fallback : it->second;
}

std::string BatchArgs::required(const std::string& name) {
    used_.insert(name);
    auto it = options_.find(name);
    if (it == options_.end()) throw UsageError(Tr("option --%1 is required").arg(name));
    return it->second;
}

double ParseNumber(const std::string& text, const std::string& what) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(begin, &end);
    if (text.empty() || end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        throw UsageError(Tr("%1: '%2' is not a number").arg(what).arg(text));
    return value;
}

double BatchArgs::number(const std::string& name, double fallback) {
    if (!has(name)) {
        used_.insert(name);
        return fallback;
    }
    return ParseNumber(option(name), "--" + name);
}

double BatchArgs::requiredNumber(const std::string& name) { return ParseNumber(required(name), "--" + name); }

long BatchArgs::integer(const std::string& name, long fallback) {
    double value = number(name, static_cast<double>(fallback));
    if (value != std::floor(value) || std::fabs(value) > 1e15)
        throw UsageError(Tr("--%1: '%2' is not a whole number").arg(name).arg(option(name)));
    return static_cast<long>(value);
}

const std::string& BatchArgs::positional(std::size_t index) const {
    if (index >= positional_.size()) throw UsageError(Tr("missing argument"));
    return positional_[index];
}

void BatchArgs::finish(std::size_t maxPositional) const {
    for (const auto& [name, value] : options_)
        if (!used_.count(name)) throw UsageError(Tr("unknown option --%1").arg(name));
    for (const auto& name : flagsGiven_)
        if (!used_.count(name)) throw UsageError(Tr("unknown option --%1").arg(name));
    if (positional_.size() > maxPositional)
        throw UsageError(Tr("unexpected argument '%1'").arg(positional_[maxPositional]));
}

}  // namespace zel::batch

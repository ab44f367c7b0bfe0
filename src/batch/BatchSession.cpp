#include "batch/BatchSession.h"

#include <cstdlib>
#include <ostream>

#include "base/ZelError.h"
#include "config/ConfigPaths.h"

namespace zel::batch {

namespace {

// One message, one line: the dialogs' line breaks would split it in a log.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

std::string Labelled(MessageIcon icon, const std::string& text) {
    switch (icon) {
        case MessageIcon::Error:
            return Tr("error: %1").arg(text);
        case MessageIcon::Warning:
            return Tr("warning: %1").arg(text);
        case MessageIcon::Question:
            return Tr("question: %1").arg(text);
        case MessageIcon::Information: break;
    }
    return text;
}

}  // namespace

void Warn(std::ostream& err, std::string_view text) {
    err << "zelbatch: " << OneLine(Tr("warning: %1").arg(text)) << '\n';
}

void Say(std::ostream& err, std::string_view text) {
    err << "zelbatch: " << OneLine(std::string(text)) << '\n';
}

MessageAnswer StderrMessages::show(const Message& message) {
    if (message.icon == MessageIcon::Error) ++errors_;
    err_ << "zelbatch: " << OneLine(Labelled(message.icon, message.text));
    MessageAnswer answer = MessageAnswer::Ok;
    switch (message.buttons) {
        case MessageButtons::Ok: break;
        case MessageButtons::YesNo: answer = assumeYes ? MessageAnswer::Yes : MessageAnswer::No; break;
        case MessageButtons::YesNoCancel: answer = assumeYes ? MessageAnswer::Yes : MessageAnswer::Cancel; break;
        case MessageButtons::OkCancel: answer = assumeYes ? MessageAnswer::Ok : MessageAnswer::Cancel; break;
    }
    if (message.buttons != MessageButtons::Ok)
        err_ << ' '
             << (answer == MessageAnswer::Yes || answer == MessageAnswer::Ok
                     ? Tr("[yes]")
                     : Tr("[no: give --yes to agree]"));
    err_ << '\n';
    return answer;
}

BatchSession::BatchSession(SessionOptions options, std::istream& in, std::ostream& out, std::ostream& err)
    : options_(std::move(options)), in_(in), out_(out), err_(err), messages_(err) {
    messages_.assumeYes = options_.assumeYes;
}

BatchSession::~BatchSession() = default;

AppContext& BatchSession::context() {
    if (context_) return *context_;
    AppPaths paths = DefaultAppPaths();
    if (!options_.ini.empty()) {
        // As if $ZEL_INI named it: the registry store sits beside it.
        const std::string ini = options_.ini;
        Environment env = [&ini](const char* name) -> const char* {
            return std::string(name) == "ZEL_INI" ? ini.c_str() : std::getenv(name);
        };
        paths.ini = ZelIniPath(env);
        paths.registry = RegistryIniPath(env);
    }
    auto context = std::make_unique<AppContext>(options_.overrides, paths, messages_);
    context->loadConfiguration();
    int errorsBefore = messages_.errorsShown();
    context->openDatabases();
    if (!context->databases().work().isOpen() || messages_.errorsShown() > errorsBefore)
        throw ZelError("the working database could not be opened");
    context->ensureDemoData();
    context->loadReferenceData();
    // Nobody watches a status bar here: a wait behind another program is said on stderr.
    context->databases().setWaitNotice(
        [this](const std::string& text) { err_ << "zelbatch: " << OneLine(text) << std::endl; });
    context_ = std::move(context);
    return *context_;
}

}  // namespace zel::batch

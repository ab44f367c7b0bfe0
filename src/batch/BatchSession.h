#pragma once
// What every subcommand works in: the same configuration ("ZEL.ini"), databases, stations and
// resources as the workstation, opened on first use, and the streams of this run.

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "base/MessageSink.h"
#include "base/ZelError.h"
#include "session/AppContext.h"

namespace zel::batch {

// Messages of the core become lines on stderr. Nobody is there to answer a question, so it gets
// the cautious answer (No, or Cancel) unless the run was started with --yes.
class StderrMessages : public MessageSink {
  public:
    explicit StderrMessages(std::ostream& err) : err_(err) {}
    MessageAnswer show(const Message& message) override;
    bool assumeYes = false;
    int errorsShown() const { return errors_; }

  private:
    std::ostream& err_;
    int errors_ = 0;
};

// "zelbatch: warning: TEXT", and "zelbatch: TEXT" for what the run did: one line each on stderr.
void Warn(std::ostream& err, std::string_view text);
void Say(std::ostream& err, std::string_view text);

// Options given before the subcommand.
struct SessionOptions {
    std::string ini;  // empty: $ZEL_INI or the user's own, as the workstation finds it
    CommandLineOverrides overrides;
    bool assumeYes = false;
};

class BatchSession {
  public:
    BatchSession(SessionOptions options, std::istream& in, std::ostream& out, std::ostream& err);
    ~BatchSession();

    std::istream& in() { return in_; }
    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }
    StderrMessages& messages() { return messages_; }

    // The configuration, both databases and the reference data, opened on the first call. A
    // working database that does not open is a ZelError: batch work without it makes no sense.
    AppContext& context();

  private:
    SessionOptions options_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    StderrMessages messages_;
    std::unique_ptr<AppContext> context_;
};

}  // namespace zel::batch

#include "batch/BatchMain.h"

#include <clocale>
#include <fstream>
#include <iostream>
#include <new>

#include "base/ZelError.h"
#include "batch/Subcommand.h"
#include "config/CommandLine.h"
#include "data/SampleFile.h"

namespace zel::batch {

namespace {

std::vector<Subcommand> AllSubcommands() {
    std::vector<Subcommand> all = WaveSubcommands();
    for (Subcommand& s : EventSubcommands()) all.push_back(std::move(s));
    return all;
}

void PrintOverview(std::ostream& out, const std::vector<Subcommand>& subcommands) {
    PrintHelp(out,
              {Usage("zelbatch [GLOBAL OPTIONS] COMMAND [ARGUMENTS]"),
               Paragraph(ZEL_TR_NOOP(
                   "The ZEL workstation's processing without a screen, on the same ZEL.ini and databases.")),
               Gap(), Paragraph(ZEL_TR_NOOP("Commands:"))});
    for (const Subcommand& s : subcommands) {
        out << "  " << s.name << std::string(s.name.size() < 14 ? 14 - s.name.size() : 1, ' ')
            << Tr(s.summary) << '\n';
    }
    PrintHelp(
        out,
        {Gap(), Paragraph(ZEL_TR_NOOP("Global options (before the command):")),
         Option("--ini PATH",
                ZEL_TR_NOOP("the configuration to use (default: $ZEL_INI, else ~/.config/zel/ZEL.ini)")),
         Option("--odbc DSN", ZEL_TR_NOOP("working database connect string, as zel's -ODBC")),
         Option("--user NAME, --password TEXT", ZEL_TR_NOOP("its login")),
         Option("--data-dir DIR", ZEL_TR_NOOP("the disk loop directory, as zel's -DATADIR")),
         Option("--yes", ZEL_TR_NOOP("answer yes where the workstation would ask (e.g. to overwrite)")),
         Option("--help, --version", ZEL_TR_NOOP("this overview, the program's version")), Gap(),
         Paragraph(ZEL_TR_NOOP(
             "'zelbatch COMMAND --help' describes one command. A file argument '-' is stdin or stdout.")),
         Paragraph(ZEL_TR_NOOP("Exit codes: 0 done, 1 bad input or a failed operation, 2 wrong usage."))});
}

// One line on stderr and exit code 1.
int Failed(std::ostream& err, std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    err << "zelbatch: " << text << '\n';
    return 1;
}

const Subcommand* Find(const std::vector<Subcommand>& subcommands, const std::string& name) {
    for (const Subcommand& s : subcommands)
        if (s.name == name) return &s;
    return nullptr;
}

}  // namespace

void WriteOutput(BatchSession& session, const std::string& path, std::string_view text) {
    if (path == "-") {
        session.out() << text << std::flush;
        if (!session.out()) throw ZelError(Tr("cannot write to %1").arg("stdout"));
        return;
    }
    WriteFileAtomically(path, text);
}

std::string ReadInput(BatchSession& session, const std::string& path) {
    std::ifstream file;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file) throw ZelError(Tr("cannot open '%1'").arg(path));
    }
    const bool fromStdin = path == "-";
    std::istream& in = fromStdin ? session.in() : file;
    // Read in pieces up to the limit: a device or an endless pipe ends here, not in memory.
    std::string text;
    char piece[65536];
    while (in.read(piece, sizeof piece) || in.gcount() > 0) {
        text.append(piece, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxInputBytes) {
            const std::size_t mebibytes = kMaxInputBytes >> 20;
            throw ZelError(
                fromStdin ? Tr("stdin is larger than %1 MiB, the limit of an input").arg(mebibytes)
                          : Tr("'%1' is larger than %2 MiB, the limit of an input").arg(path).arg(mebibytes));
        }
    }
    if (in.bad()) throw ZelError(fromStdin ? Tr("cannot read stdin") : Tr("cannot read '%1'").arg(path));
    return text;
}

int RunBatch(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    // Numbers in files and output always use the C conventions, whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    const std::vector<Subcommand> subcommands = AllSubcommands();
    SessionOptions options;
    std::size_t i = 0;
    try {
        for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> std::string {
                if (i + 1 >= args.size()) throw UsageError(Tr("option --%1 needs a value").arg(a.substr(2)));
                return args[++i];
            };
            if (a == "--help") {
                PrintOverview(out, subcommands);
                return 0;
            }
            if (a == "--version") {
                out << "zelbatch " << ProgramVersion() << " (" << ProgramBuildDate() << ")\n";
                return 0;
            }
            if (a == "--yes") options.assumeYes = true;
            else if (a == "--ini") options.ini = value();
            else if (a == "--odbc") options.overrides.odbc = value();
            else if (a == "--user") options.overrides.user = value();
            else if (a == "--password") options.overrides.password = value();
            else if (a == "--data-dir") options.overrides.dataDir = value();
            else
                throw UsageError(Tr("unknown global option %1").arg(a));
        }
        if (i >= args.size()) throw UsageError(Tr("no command given"));
        const Subcommand* command = Find(subcommands, args[i]);
        if (!command) throw UsageError(Tr("unknown command '%1'").arg(args[i]));
        std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
        for (const std::string& a : rest) {
            if (a == "--") break;
            if (a == "--help") {
                PrintHelp(out, command->help);
                return 0;
            }
        }
        BatchArgs commandArgs(rest, command->flags);
        BatchSession session(options, in, out, err);
        const int code = command->run(session, commandArgs);
        // A report that never reached its file (a full disk, a closed pipe) is a failure.
        if (!(out << std::flush)) throw ZelError(Tr("cannot write to %1").arg("stdout"));
        return code;
    } catch (const UsageError& e) {
        err << "zelbatch: " << e.what() << '\n' << Tr("Try 'zelbatch --help'.") << '\n';
        return 2;
    } catch (const ZelError& e) {
        return Failed(err, e.what());
    } catch (const std::bad_alloc&) {
        return Failed(err, Tr("not enough memory for this command"));
    } catch (const std::exception& e) {
        return Failed(err, e.what());
    }
}

}  // namespace zel::batch

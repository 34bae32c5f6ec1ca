// ketterby-cli: the stores from a terminal, on the core alone.
#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/Refusal.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

const QString Program = QStringLiteral("ketterby-cli");
const QString StoreHelp =
    QStringLiteral("A store file's path, or an account name in your data folder.");

struct Argument {
    QString name;
    QString help;
    QString syntax; // as the usage line shows it
};

struct Command {
    QString name;
    QString summary;
    QList<Argument> arguments;
    qsizetype required;
    QList<QCommandLineOption> options;
    bool (*run)(const QCommandLineParser&);
};

const QList<Command>& AllCommands() {
    static const QList<Command> commands = {
        {"ls",
         "The tables, each with its number of entries.",
         {{"STORE", StoreHelp, "STORE"}},
         1,
         {},
         Commands::ListTables},
        {"show",
         "The entries of a table (row, date, description, user ID), or one entry.",
         {{"STORE", StoreHelp, "STORE"},
          {"TABLE", "The table's name, in any letter case.", "TABLE"},
          {"ROW", "The entry's row.", "[ROW]"}},
         2,
         {{"show-password", "Shows the password too (one entry only)."}},
         Commands::ShowEntries},
        {"search",
         "The entries whose description or user ID holds TEXT, in any letter case.",
         {{"STORE", StoreHelp, "STORE"}, {"TEXT", "The text to look for.", "TEXT"}},
         2,
         {},
         Commands::SearchEntries},
        {"export",
         "Every entry into a new CSV file readable by you alone, or into a pipe.",
         {{"STORE", StoreHelp, "STORE"},
          {"FILE", "The CSV file to create, or - for standard output (not a terminal).", "FILE"}},
         2,
         {},
         Commands::ExportEntries},
        {"import",
         "Entries from the CSV export of a password manager, a browser or export.",
         {{"STORE", StoreHelp, "STORE"}, {"FILE", "The CSV file to read.", "FILE"}},
         2,
         {{"table", "Puts every entry into table NAME, whatever the file's groups.", "NAME"},
          {"skip-invalid", "Imports the other entries when some lines are refused."}},
         Commands::ImportEntries},
        {"generate",
         "Passwords from the windows' generators, one a line; needs no store.",
         {},
         0,
         {{"class", "The characters: letters, numbers or both (default).", "CLASS", "both"},
          {"case", "The letters' case: lower, upper or both (default).", "CASE", "both"},
          {"length", "Each password's length, 6 to 25 (default 10).", "N", "10"},
          {"count", "How many passwords, 1 to 255 (default 20).", "N", "20"}},
         Commands::GeneratePasswords},
    };
    return commands;
}

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

QString ProgramHelp() {
    QString help = "Usage: " + Program +
                   " COMMAND [OPTIONS] [STORE ...]\n\n"
                   "Ketterby's stores from a terminal. The password is read from the terminal, or "
                   "from standard input\nwhen that is not a terminal.\n\nCommands:\n";
    for (const Command& command : AllCommands())
        help += "  " + command.name.leftJustified(10) + command.summary + '\n';
    return help + "\n" + Program + " COMMAND --help describes a command; " + Program +
           " --version gives the version.\n";
}

QString CommandHelp(const Command& command, const QCommandLineParser& parser) {
    QStringList syntax = {"Usage:", Program, command.name, "[options]"};
    for (const Argument& argument : command.arguments)
        syntax.append(argument.syntax);
    // Qt's own text after its usage line, which names the program by the path it was run as.
    const QString details = parser.helpText().section('\n', 1);
    return syntax.join(' ') + '\n' + command.summary + '\n' + details;
}

int Run(const QStringList& arguments) {
    const QString name = arguments.value(1);
    if (name == "--help" || name == "-h" || name == "--version") {
        Print(stdout,
              name == "--version" ? Program + ' ' + KETTERBY_VERSION + '\n' : ProgramHelp());
        return 0;
    }
    const auto& commands = AllCommands();
    const auto command = std::find_if(commands.cbegin(), commands.cend(),
                                      [&](const Command& command) { return command.name == name; });
    if (command == commands.cend())
        throw UsageError{name.isEmpty() ? "No command given." : "Unknown command: " + name + "."};
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions(command->options);
    for (const Argument& argument : command->arguments)
        parser.addPositionalArgument(argument.name, argument.help, argument.syntax);
    if (!parser.parse(arguments.sliced(1)))
        throw UsageError{parser.errorText()};
    if (parser.isSet(help)) {
        Print(stdout, CommandHelp(*command, parser));
        return 0;
    }
    const qsizetype given = parser.positionalArguments().size();
    if (given < command->required || given > command->arguments.size())
        throw UsageError{"Wrong number of arguments for " + name + "."};
    return command->run(parser) ? 0 : 1;
}

// A crash must never write the passwords in memory to a core file.
void DisableCoreDumps() {
    const rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

} // namespace

int main(int argc, char* argv[]) {
    DisableCoreDumps();
    QCoreApplication application(argc, argv);
    // The windows' name, so an account name is looked up in the windows' data folder.
    application.setApplicationName("Ketterby");
    try {
        return Run(application.arguments());
    } catch (const UsageError& error) {
        Messages::Print(error.reason + "\nTry '" + Program + " --help'.");
        return 2;
    } catch (const Refusal& refusal) {
        if (!refusal.reason.isEmpty())
            Messages::Print(refusal.reason);
        return 1;
    } catch (const Failure& failure) {
        Messages::Tell(FailureNotice(Program, failure));
        return 1;
    }
}

// ketterby-cli: the stores from a terminal, on the core, and Qt GUI for the clipboard alone.
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/Refusal.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

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
    const Argument store{"STORE", StoreHelp, "STORE"};
    const Argument table{"TABLE", "The table's name, in any letter case.", "TABLE"};
    const Argument row{"ROW", "The entry's row.", "ROW"};
    const QCommandLineOption yes{"yes", "Deletes without asking, as a script must."};
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
         Arguments::GeneratorOptions()
             << QCommandLineOption{"count", "How many passwords, 1 to 255 (default 20).", "N",
                                   "20"},
         Commands::GeneratePasswords},
        {"create",
         "A new account's store, as the account dialog's New tab makes it.",
         {store},
         1,
         {},
         Commands::CreateAccount},
        {"passwd",
         "A new password for the account, and a new name with --rename, as the Edit tab does.",
         {store},
         1,
         {{"rename", "Renames the account to NAME in its folder.", "NAME"}},
         Commands::ChangeAccount},
        {"add",
         "A new entry at the end of the table, dated today.",
         {store, table},
         2,
         QList<QCommandLineOption>{
             {"description", "The entry's description.", "TEXT"},
             {"user", "The entry's user ID.", "TEXT"},
             {"generate", "A generated password instead of one typed (see --class, --case and "
                          "--length)."}} +
             Arguments::GeneratorOptions(),
         Commands::AddEntry},
        {"edit",
         "A new description, user ID or password for an entry.",
         {store, table, row, {"FIELD", "description, user or password.", "FIELD"}},
         4,
         {},
         Commands::EditEntry},
        {"rm",
         "Deletes an entry; the entries after it move up a row.",
         {store, table, row},
         3,
         {yes},
         Commands::RemoveEntry},
        {"mv",
         "Moves an entry into another table, placed by its date, as Cut and Paste do.",
         {store, table, row, {"TO-TABLE", "The table to move it to.", "TO-TABLE"}},
         4,
         {},
         Commands::MoveEntry},
        {"clip",
         "An entry's password on the desktop's clipboard for 30 seconds.",
         {store, table, row},
         3,
         {{"user", "The user ID instead of the password."}},
         Commands::ClipEntry},
        {"mktable",
         "A new, empty table.",
         {store, {"NAME", "At most 50 characters, no quotes.", "NAME"}},
         2,
         {},
         Commands::AddTable},
        {"rmtable",
         "Deletes a table and all its entries.",
         {store, table},
         2,
         {yes},
         Commands::RemoveTable},
        {"rntable",
         "Gives a table a new name.",
         {store, table, {"NEW", "At most 50 characters, no quotes.", "NEW"}},
         3,
         {},
         Commands::RenameTable},
    };
    return commands;
}

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

QString ProgramHelp() {
    QString help = "Usage: " + Program +
                   " COMMAND [OPTIONS] [STORE ...]\n\n"
                   "Ketterby's stores from a terminal. The account password, then any new value, "
                   "is read from the\nterminal (secrets without echo), or line by line from "
                   "standard input when that is not a\nterminal.\n\nCommands:\n";
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

// Only clip starts Qt GUI, for the desktop's clipboard, and only where there is a display: the
// other commands need none. A program without a window can own the X clipboard (XWayland's
// too), never Wayland's own, which takes text from a focused window only.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[]) {
    if (argc < 2 || std::strcmp(argv[1], "clip") != 0)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return std::make_unique<QCoreApplication>(argc, argv);
    return std::make_unique<QGuiApplication>(argc, argv);
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
    const auto application = MakeApplication(argc, argv);
    // The windows' name, so an account name is looked up in the windows' data folder.
    application->setApplicationName("Ketterby");
    try {
        return Run(application->arguments());
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

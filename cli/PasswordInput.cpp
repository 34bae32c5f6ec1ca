// Reads the account password and the values after it from the terminal, secrets without echo,
// or from a pipe.
#include "cli/PasswordInput.h"

#include "cli/Refusal.h"
#include "core/TextRules.h"

#include <QScopeGuard>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <termios.h>
#include <unistd.h>

namespace {

termios typing{};

// An interrupt while the echo is off must not leave the terminal silent.
void RestoreEchoAndStop(int signal) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &typing);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Reads the next line straight from the descriptor, a byte at a time: no buffer of the C
// library's ever holds the secret, or reads past the line's end, so a later read gets the
// line after it. Input that has ended is no value: an empty one would blank a password.
QByteArray ReadLine() {
    QByteArray line;
    for (char byte;;) {
        const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got != 1 && line.isEmpty())
            throw Refusal{"Standard input ended before the value asked for."};
        if (got != 1 || byte == '\n')
            break;
        line.append(byte);
    }
    while (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

QString ReadPassword(const QString& prompt) {
    const bool terminal = ::isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &typing) == 0;
    if (terminal) {
        std::fputs(prompt.toUtf8().constData(), stderr);
        termios silent = typing;
        silent.c_lflag &= ~tcflag_t(ECHO);
        std::signal(SIGINT, RestoreEchoAndStop);
        std::signal(SIGTERM, RestoreEchoAndStop);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    const auto restoreEcho = qScopeGuard([terminal] {
        if (terminal) {
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &typing);
            std::fputs("\n", stderr);
        }
    });
    QByteArray line = ReadLine();
    QString password = QString::fromUtf8(line);
    explicit_bzero(line.data(), size_t(line.size()));
    return TextRules::TrimBlanks(password);
}

bool FromTerminal() {
    return ::isatty(STDIN_FILENO);
}

QString ReadValue(const QString& prompt, bool secret) {
    if (secret)
        return ReadPassword(prompt);
    if (FromTerminal())
        std::fputs(prompt.toUtf8().constData(), stderr);
    return TextRules::TrimBlanks(QString::fromUtf8(ReadLine()));
}

std::pair<QString, QString> ReadNewPassword(const QString& prompt, const QString& again) {
    QString password = ReadPassword(prompt);
    return {password, FromTerminal() ? ReadPassword(again) : password};
}

// Reads the account password and the values after it from the terminal, secrets without echo,
// or from a pipe.
#include "cli/PasswordInput.h"

#include "core/TextRules.h"

#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <cstdlib>
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

// Reads one line; the library's buffer is wiped before it is freed.
QByteArray ReadLine() {
    char* line = nullptr;
    size_t capacity = 0;
    const ssize_t length = ::getline(&line, &capacity, stdin);
    QByteArray bytes(line, length > 0 ? qsizetype(length) : 0);
    if (line)
        explicit_bzero(line, capacity);
    std::free(line);
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    return bytes;
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
    QByteArray line = ReadLine();
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &typing);
        std::fputs("\n", stderr);
    }
    QString password = QString::fromUtf8(line);
    explicit_bzero(line.data(), size_t(line.size()));
    static const QRegularExpression outerBlanks("^ +| +$");
    return password.remove(outerBlanks);
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

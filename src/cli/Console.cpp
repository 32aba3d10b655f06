#include "cli/Console.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tarvel {

namespace {

const QString Prefix = QStringLiteral("tarvel-cli: ");

void Write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// The link's messages span lines; a failure or note is one line.
QString OneLine(const QString& text) {
    QStringList parts =
        text.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    for (QString& part : parts) {
        part = part.trimmed();
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

Console::Console(Verbosity verbosity, bool stderrIsTerminal)
    : verbosity_(verbosity), terminal_(stderrIsTerminal) {}

Console::~Console() {
    EndProgress();
}

bool Console::StandardErrorIsTerminal() {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

void Console::Out(const QString& text) {
    ClearProgress();
    Write(stdout, text);
}

void Console::Line(const QString& text) {
    ClearProgress();
    Write(stderr, text + QLatin1Char('\n'));
}

void Console::Note(const QString& text) {
    if (verbosity_ != Verbosity::Quiet) {
        Line(Prefix + OneLine(text));
    }
}

void Console::Error(const QString& text) {
    Line(Prefix + OneLine(text));
}

void Console::Exchange(const QString& text) {
    if (verbosity_ == Verbosity::Verbose) {
        Line(text);
    }
}

void Console::Progress(const QString& text, bool milestone) {
    if (verbosity_ == Verbosity::Quiet) {
        return;
    }
    if (terminal_) {
        Write(stderr, QStringLiteral("\r\033[K") + text);
        progressShown_ = true;
        return;
    }
    if (milestone && text != lastPlain_) {
        lastPlain_ = text;
        Write(stderr, text + QLatin1Char('\n'));
    }
}

void Console::EndProgress() {
    ClearProgress();
}

void Console::ClearProgress() {
    if (progressShown_) {
        Write(stderr, QStringLiteral("\r\033[K"));
        progressShown_ = false;
    }
}

} // namespace tarvel

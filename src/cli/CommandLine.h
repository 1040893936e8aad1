#pragma once

#include "cli/Commands.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

struct ParsedArguments
{
    enum Request { Run, Help, Version, UsageError };

    Request request = UsageError;
    Command command; // when Run
    QString helpText; // when Help: the program's help, or one command's
    QString error; // when UsageError
};

// Sets `parser` up with the program's options and reads the arguments (the
// program's name first) into a command, checking that the command takes
// the options and the number of level files given. "help COMMAND" and
// "COMMAND --help" ask for that command's help.
ParsedArguments parseArguments(QCommandLineParser& parser, const QStringList& arguments);

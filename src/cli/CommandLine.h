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
    QString error; // when UsageError
};

// Sets `parser` up with the program's options and reads the arguments (the
// program's name first) into a command, checking that the command takes
// the options and the number of level files given.
ParsedArguments parseArguments(QCommandLineParser& parser, const QStringList& arguments);

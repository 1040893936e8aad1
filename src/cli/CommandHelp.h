#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

// The help of one command: how it is called, what it does, its options.
struct CommandHelp
{
    const char* name;
    const char* usage; // one or more lines, each a way to call it
    const char* text; // what it does, in a few paragraphs
    QStringList options; // the names of the options it takes
};

// The commands in the order the program's help lists them; none for an unknown name.
const QList<CommandHelp>& commandHelps();
const CommandHelp* findCommandHelp(const QString& name);

// The program's description for its --help: the commands' usage lines.
QString programDescription();

// A command's help, its options described as `options` describe them.
QString commandHelpText(const CommandHelp& help, const QList<QCommandLineOption>& options);

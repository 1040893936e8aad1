#include "cli/ReportOutput.h"

#include "cli/Console.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A workflow command's message: %, CR and LF would end or garble it.
QString githubData(QString text)
{
    text.replace(u'%', QStringLiteral("%25"));
    text.replace(u'\r', QStringLiteral("%0D"));
    text.replace(u'\n', QStringLiteral("%0A"));
    return text;
}

// A workflow command's property value: also no ":" or ",".
QString githubProperty(const QString& text)
{
    QString escaped = githubData(text);
    escaped.replace(u':', QStringLiteral("%3A"));
    escaped.replace(u',', QStringLiteral("%2C"));
    return escaped;
}

QString githubLine(const Report& report, bool isNote)
{
    QString line = isNote ? QStringLiteral("::notice file=") : QStringLiteral("::error file=");
    line += githubProperty(report.file);
    if (report.line > 0)
        line += QStringLiteral(",line=%1").arg(report.line);
    if (report.line > 0 && report.column > 0)
        line += QStringLiteral(",col=%1").arg(report.column);
    line += QStringLiteral(",title=%1").arg(githubProperty(QLatin1String(report.kind)));
    return line + QStringLiteral("::") + githubData(report.message);
}

QByteArray jsonMessage(const Report& report, bool isNote)
{
    QJsonObject object{
        {QStringLiteral("file"), report.file},
        {QStringLiteral("severity"), isNote ? QStringLiteral("note") : QStringLiteral("error")},
        {QStringLiteral("kind"), QLatin1String(report.kind)},
        {QStringLiteral("message"), report.message},
    };
    if (report.line > 0)
        object.insert(QStringLiteral("line"), report.line);
    if (report.line > 0 && report.column > 0)
        object.insert(QStringLiteral("column"), report.column);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

ReportOutput::ReportOutput(Command::Output form, Console& console)
    : m_form(form)
    , m_console(console)
{
    if (m_form == Command::Output::Json)
        m_console.out(R"({"format":"tilewright-check","version":1,"messages":[)");
}

void ReportOutput::report(const Report& report)
{
    ++m_reported;
    write(report, false);
}

void ReportOutput::note(const Report& note)
{
    write(note, true);
}

void ReportOutput::write(const Report& report, bool isNote)
{
    switch (m_form) {
    case Command::Output::Text:
        if (isNote)
            m_console.errLine(reportLine(report));
        else
            m_console.outLine(reportLine(report));
        break;
    case Command::Output::GitHub:
        m_console.outLine(githubLine(report, isNote));
        break;
    case Command::Output::Json:
        // One message a line, so that the document also reads well.
        m_console.out((m_written > 0 ? ",\n" : "\n") + jsonMessage(report, isNote));
        break;
    }
    ++m_written;
}

void ReportOutput::finish(qsizetype levels, int status)
{
    if (m_form == Command::Output::Json)
        m_console.out(QStringLiteral("\n],\"levels\":%1,\"status\":%2}\n").arg(levels).arg(status).toUtf8());
}

#pragma once

#include "cli/Commands.h"
#include "cli/LevelFiles.h"

class Console;

// Where check's reports go, in the form asked for:
// - text: "path:line:column: message" on standard output, notes on standard error;
// - github: GitHub Actions workflow commands on standard output, which the
//   runner shows as annotations on the files (::error for a report,
//   ::notice for a note);
// - json: one document on standard output, written as the reports come, so
//   that even millions of them are never held:
//     {"format": "tilewright-check", "version": 1,
//      "messages": [{"file", "line", "column", "severity", "kind", "message"}, ...],
//      "levels": <level files checked>, "status": <exit status>}
//   "line" and "column" are left out where the message concerns the whole
//   file or line; "severity" is "error" or "note".
class ReportOutput
{
public:
    ReportOutput(Command::Output form, Console& console);

    // A problem: it makes the exit status 1.
    void report(const Report& report);
    // Something worth knowing that is no problem.
    void note(const Report& note);
    // Ends the output; json gives the number of level files checked and the status.
    void finish(qsizetype levels, int status);

    qsizetype reported() const { return m_reported; }

private:
    void write(const Report& report, bool isNote);

    Command::Output m_form;
    Console& m_console;
    qsizetype m_reported = 0;
    qsizetype m_written = 0;
};

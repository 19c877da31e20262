// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>
#include <utility>

class Prompter;

// The main window's flag for "an operation is moving the editor's selection to read or colour text";
// readers of the title and the colouring return at once while it is set. Hold it through a Hold, so it
// is cleared however the operation ends.
class EditorBusy
{
public:
    class Hold
    {
    public:
        explicit Hold(EditorBusy &busy)
            : m_busy(busy)
            , m_wasSet(busy.m_set)
        {
            busy.m_set = true;
        }
        ~Hold() { m_busy.m_set = m_wasSet; }
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        EditorBusy &m_busy;
        bool m_wasSet;
    };

    bool isSet() const { return m_set; }
    void clear() { m_set = false; }

private:
    bool m_set = false;
};

// "Please e-mail <address> to report error code <code>"
QString errorCodeMessage(int code);
void reportErrorCode(Prompter &prompter, int code);
// Writes the failure behind an error code to the log (category "tagloom.failures"), so a report of the
// code can be traced to its cause.
void logFailure(int code, const char *what);

// Runs a handler that has an error code: an unexpected failure abandons it, clears EditorBusy, is logged
// and is reported with the error-code message. Returns false when the handler failed.
template <typename Handler> bool runGuarded(Prompter &prompter, EditorBusy &busy, int code, Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception &failure) {
        busy.clear();
        logFailure(code, failure.what());
    } catch (...) {
        busy.clear();
        logFailure(code, "a failure that is not a standard exception");
    }
    reportErrorCode(prompter, code);
    return false;
}

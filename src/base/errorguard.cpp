// SPDX-License-Identifier: GPL-3.0-or-later
#include "errorguard.h"

#include "productstrings.h"
#include "prompter.h"

#include <QLoggingCategory>
#include <QStringLiteral>

namespace {

Q_LOGGING_CATEGORY(failures, "tagloom.failures")

} // namespace

QString errorCodeMessage(int code)
{
    return QStringLiteral("Please e-mail ") + QString::fromUtf8(TAGLOOM_SUPPORT_EMAIL)
        + QStringLiteral(" to report error code ") + QString::number(code);
}

void reportErrorCode(Prompter &prompter, int code)
{
    prompter.message(Product::caption(), errorCodeMessage(code), PromptButtons::Ok, PromptIcon::Stop);
}

void logFailure(int code, const char *what)
{
    qCWarning(failures, "error code %d: %s", code, what);
}

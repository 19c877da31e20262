// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizardfile.h"

#include "base/programfolder.h"
#include "editor/colors.h"
#include "editor/findreplace.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace Wizard {

namespace {

// The value of name="..." inside one input tag, or nothing when the tag lacks it. The attribute must
// start a word, so "typename" is not read as "name".
std::optional<QString> attribute(QStringView tag, const QString &name)
{
    const QString lead = name + QStringLiteral("=\"");
    qsizetype at = 0;
    while ((at = tag.indexOf(lead, at, Qt::CaseInsensitive)) >= 0) {
        if (at > 0 && tag.at(at - 1).isSpace()) {
            const qsizetype from = at + lead.size();
            const qsizetype close = tag.indexOf(u'"', from);
            if (close < 0)
                return std::nullopt;
            return tag.mid(from, close - from).toString();
        }
        at += lead.size();
    }
    return std::nullopt;
}

bool isWholeNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok;
}

// Quotes as the editor writes attribute values; a value in single quotes is already quoted, and a double
// quote inside a value the wizard quotes becomes an entity, so it cannot end the value early.
QString quoteValue(const QString &value)
{
    if (value.size() >= 2 && value.front() == u'\'' && value.back() == u'\'')
        return value;
    if (value.startsWith(u'"'))
        return value;
    QString escaped = value;
    escaped.replace(u'"', QStringLiteral("&quot;"));
    return Quotes(escaped);
}

} // namespace

QString colourText(TColor colour, bool colourNames)
{
    // A colour without a name is written as its code even when names are asked for.
    const QString name = colourNames ? ColorToStr(colour) : QString();
    return name.isEmpty() || name == UnknownColorName ? ColorToHex(colour) : name;
}

Kind Input::kind() const
{
    const QString lower = type.toLower();
    if (lower == u"text")
        return Kind::Text;
    if (lower == u"file")
        return Kind::File;
    if (lower == u"number")
        return Kind::Number;
    if (lower == u"select")
        return Kind::Select;
    if (lower == u"color")
        return Kind::Color;
    if (lower == u"hidden")
        return Kind::Hidden;
    return Kind::Other;
}

Form parse(const QString &text)
{
    Form form;
    qsizetype from = 0;
    const qsizetype title = text.indexOf(QStringLiteral("<title"), 0, Qt::CaseInsensitive);
    if (title >= 0) {
        const qsizetype open = text.indexOf(u'>', title);
        const qsizetype close
            = open < 0 ? -1 : text.indexOf(QStringLiteral("</title"), open, Qt::CaseInsensitive);
        if (close >= 0)
            form.title = text.mid(open + 1, close - open - 1).trimmed();
        from = title;
    }
    static const QRegularExpression lineBreak(
        QStringLiteral("<br\\s*/?>"), QRegularExpression::CaseInsensitiveOption);
    qsizetype previousEnd = -1;
    while (true) {
        const qsizetype start = text.indexOf(QStringLiteral("<input"), from, Qt::CaseInsensitive);
        if (start < 0)
            break;
        const qsizetype end = text.indexOf(u'>', start);
        // An input that never closes ends the form rather than swallowing the rest of the file.
        if (end < 0)
            break;
        const QStringView tag = QStringView(text).mid(start, end - start);
        Input input;
        input.name = attribute(tag, QStringLiteral("name")).value_or(QString());
        input.type = attribute(tag, QStringLiteral("type")).value_or(QString());
        input.value = attribute(tag, QStringLiteral("value")).value_or(QString());
        const QString options = attribute(tag, QStringLiteral("options")).value_or(QString());
        if (!options.isEmpty())
            input.options = options.split(u';');
        if (previousEnd >= 0)
            input.newColumn
                = lineBreak.match(QStringView(text).mid(previousEnd, start - previousEnd)).hasMatch();
        form.inputs.append(input);
        previousEnd = end + 1;
        from = end + 1;
    }
    return form;
}

std::optional<Form> load(const QString &path, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    return parse(QString::fromUtf8(file.readAll()));
}

QString fileFor(const QString &wizardsFolder, const QString &tagName)
{
    if (tagName.isEmpty() || wizardsFolder.isEmpty())
        return {};
    for (const QChar c : tagName) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-')
            return {};
    }
    for (const char *suffix : { ".html", ".htm" }) {
        const QString found = ProgramFolder::findEntry(wizardsFolder, tagName + QLatin1String(suffix));
        if (!found.isEmpty() && QFileInfo(found).isFile())
            return found;
    }
    return {};
}

QString tagNameOf(const QString &wizardPath)
{
    return QFileInfo(wizardPath).completeBaseName();
}

QStringList tagAttributes(const QString &selectedTag)
{
    QString tag = selectedTag.trimmed();
    if (tag.endsWith(u'>'))
        tag.chop(1);
    if (tag.endsWith(u'/'))
        tag.chop(1);
    QStringList tokens;
    QString current;
    QChar quote;
    bool inName = true; // the first token is the tag's name
    for (const QChar c : std::as_const(tag)) {
        if (quote.isNull() && c.isSpace()) {
            if (!current.isEmpty() && !inName)
                tokens.append(current);
            if (!current.isEmpty())
                inName = false;
            current.clear();
            continue;
        }
        if (quote.isNull() && (c == u'"' || c == u'\''))
            quote = c;
        else if (c == quote)
            quote = QChar();
        current.append(c);
    }
    if (!current.isEmpty() && !inName)
        tokens.append(current);
    return tokens;
}

QString unquote(const QString &value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    if (value.startsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

Run prepare(const Form &form, const QString &selectedTag, bool colourNames)
{
    Run run;
    run.leftover = tagAttributes(selectedTag);
    // The line of the edited tag that sets name, taken out of the leftovers; nothing when there is none.
    const auto take = [&run](const QString &name) -> std::optional<QString> {
        for (int i = 0; i < run.leftover.size(); ++i) {
            const QString &token = run.leftover.at(i);
            const qsizetype equals = token.indexOf(u'=');
            const QString key = equals < 0 ? token : token.left(equals);
            if (key.compare(name, Qt::CaseInsensitive) == 0) {
                const QString value = equals < 0 ? QString() : token.mid(equals + 1);
                run.leftover.removeAt(i);
                return value;
            }
        }
        return std::nullopt;
    };
    for (int i = 0; i < form.inputs.size(); ++i) {
        const Input &input = form.inputs.at(i);
        switch (input.kind()) {
        case Kind::Hidden:
            // The file's fixed value wins over whatever the tag said.
            take(input.name);
            run.entries.append({ i, input.name, input.value });
            break;
        case Kind::Other:
            break;
        default: {
            const std::optional<QString> found = take(input.name);
            QString value = found ? unquote(*found) : QString();
            if (input.kind() == Kind::Number) {
                if (value.isEmpty())
                    value = QStringLiteral("0");
                else if (!isWholeNumber(value) && run.problem.isEmpty())
                    run.problem = QStringLiteral("The value %1 of %2 is not a whole number.")
                                      .arg(u'"' + value + u'"', input.name);
            } else if (input.kind() == Kind::Color) {
                value = colourText(StrToColor(value), colourNames);
            }
            run.entries.append({ i, input.name, value });
            break;
        }
        }
    }
    return run;
}

QString buildTag(const QString &tagName, const QList<Entry> &entries, const QStringList &leftover)
{
    QString tag = u'<' + tagName;
    for (const Entry &entry : entries)
        tag += u' ' + entry.name + u'=' + quoteValue(entry.value);
    for (const QString &token : leftover) {
        const qsizetype equals = token.indexOf(u'=');
        // A bare attribute (no value) is carried over as it stands.
        tag += u' ' + (equals < 0 ? token : token.left(equals + 1) + quoteValue(token.mid(equals + 1)));
    }
    return tag + u'>';
}

} // namespace Wizard

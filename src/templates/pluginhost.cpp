// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluginhost.h"

#include "base/productstrings.h"
#include "base/prompter.h"
#include "editor/sourcebuffer.h"
#include "tagloom-plugin.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace PluginHost {

namespace {

// How long GetInfo may take before its library is given up on; Execute may take as long as it needs.
constexpr int infoTimeoutMs = 5000;

void writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        size -= size_t(written);
    }
}

void writeText(int fd, const char *text)
{
    const uint64_t size = text ? std::strlen(text) : 0;
    writeAll(fd, reinterpret_cast<const char *>(&size), sizeof size);
    if (size)
        writeAll(fd, text, size);
}

struct ChildOutput
{
    bool ok = false;
    QByteArray bytes;
    QString error;
};

// Runs work in a child process and collects what it writes to the pipe. The library is already loaded,
// so the child only calls into code that is mapped; it never returns into the parent's event loop.
template <typename Work> ChildOutput inChild(Work work, int timeoutMs)
{
    ChildOutput output;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        output.error = QString::fromLocal8Bit(std::strerror(errno));
        return output;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        output.error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fds[0]);
        ::close(fds[1]);
        return output;
    }
    if (pid == 0) {
        // A crash in the plug-in ends this child at once; handlers inherited from the editor (crash
        // reporters, sanitizers) would run the editor's code in a copy that is already broken.
        for (int signal : { SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP })
            std::signal(signal, SIG_DFL);
        ::close(fds[0]);
        work(fds[1]);
        ::close(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    bool timedOut = false;
    char buffer[65536];
    while (true) {
        pollfd poller { fds[0], POLLIN, 0 };
        const int ready = ::poll(&poller, 1, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        output.bytes.append(buffer, got);
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    if (timedOut)
        output.error = QStringLiteral("the plug-in did not answer");
    else if (WIFSIGNALED(status))
        output.error = QStringLiteral("the plug-in crashed (signal %1)").arg(WTERMSIG(status));
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        output.error = QStringLiteral("the plug-in ended the call early");
    else
        output.ok = true;
    return output;
}

// Reads the length-prefixed texts the child wrote.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_bytes(bytes)
    { }
    template <typename T> std::optional<T> number()
    {
        if (m_at + qsizetype(sizeof(T)) > m_bytes.size())
            return std::nullopt;
        T value;
        std::memcpy(&value, m_bytes.constData() + m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    std::optional<QString> text()
    {
        const std::optional<uint64_t> size = number<uint64_t>();
        if (!size || *size > uint64_t(m_bytes.size() - m_at))
            return std::nullopt;
        const QString result = QString::fromUtf8(m_bytes.constData() + m_at, qsizetype(*size));
        m_at += qsizetype(*size);
        return result;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_at = 0;
};

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

} // namespace

QString Info::caption() const
{
    return name + QStringLiteral(" ver ") + QString::number(major) + u'.' + QString::number(minor);
}

QString Info::hint() const
{
    return path + u'|' + description;
}

QString invalidMessage(const QString &path)
{
    return QStringLiteral("Invalid plugin file ") + quoted(path);
}

QString missingMessage(const QString &path)
{
    return QStringLiteral("Unable to find plugin to execute ") + quoted(path);
}

std::optional<Info> info(const QString &libraryPath)
{
    QLibrary library(libraryPath);
    if (!library.load())
        return std::nullopt;
    const auto getInfo = reinterpret_cast<TagloomGetInfoFunction>(library.resolve("GetInfo"));
    if (!getInfo) {
        library.unload();
        return std::nullopt;
    }
    const ChildOutput output = inChild(
        [getInfo](int fd) {
            const char *name = nullptr;
            const char *description = nullptr;
            int32_t major = 0;
            int32_t minor = 0;
            getInfo(&name, &description, &major, &minor);
            writeText(fd, name);
            writeText(fd, description);
            writeAll(fd, reinterpret_cast<const char *>(&major), sizeof major);
            writeAll(fd, reinterpret_cast<const char *>(&minor), sizeof minor);
        },
        infoTimeoutMs);
    library.unload();
    if (!output.ok)
        return std::nullopt;
    Reader reader(output.bytes);
    const std::optional<QString> name = reader.text();
    const std::optional<QString> description = reader.text();
    const std::optional<int32_t> major = reader.number<int32_t>();
    const std::optional<int32_t> minor = reader.number<int32_t>();
    if (!name || !description || !major || !minor)
        return std::nullopt;
    return Info { libraryPath, *name, *description, *major, *minor };
}

QList<Info> scan(const QString &addinFolder)
{
    QList<Info> found;
    if (addinFolder.isEmpty())
        return found;
    const QFileInfoList files
        = QDir(addinFolder).entryInfoList({ QStringLiteral("*.so") }, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        if (std::optional<Info> plugin = info(file.absoluteFilePath()))
            found.append(*plugin);
    }
    return found;
}

Result execute(const QString &libraryPath, const QString &document, const QString &selection)
{
    Result result;
    QLibrary library(libraryPath);
    if (!library.load()) {
        result.status = Result::Status::NotLoaded;
        result.error = library.errorString();
        return result;
    }
    const auto run = reinterpret_cast<TagloomExecuteFunction>(library.resolve("Execute"));
    if (!run) {
        result.status = Result::Status::NoEntryPoint;
        result.error = library.errorString();
        library.unload();
        return result;
    }
    const QByteArray documentBytes = document.toUtf8();
    const QByteArray selectionBytes = selection.toUtf8();
    const ChildOutput output = inChild(
        [&](int fd) {
            TagloomResult record {};
            run(&record, documentBytes.constData(), selectionBytes.constData());
            const char flag = record.selection ? 1 : 0;
            writeAll(fd, &flag, 1);
            writeText(fd, record.text);
        },
        -1);
    library.unload();
    if (!output.ok) {
        result.error = output.error;
        return result;
    }
    Reader reader(output.bytes);
    const std::optional<char> flag = reader.number<char>();
    const std::optional<QString> text = reader.text();
    if (!flag || !text) {
        result.error = QStringLiteral("the plug-in's answer was cut short");
        return result;
    }
    result.status = Result::Status::Ok;
    result.replaceSelection = *flag != 0;
    result.text = *text;
    return result;
}

std::optional<TemplateRun> runFromTemplate(
    SourceBuffer &buffer, const QString &addinFolder, const QString &fileName, Prompter &prompter)
{
    const QString path = QDir(addinFolder).filePath(fileName);
    const auto warn = [&prompter](const QString &text) {
        prompter.message(Product::caption(), text, PromptButtons::Ok, PromptIcon::Exclamation);
    };
    // A template may only name a library of the Addin folder itself.
    if (fileName.contains(u'/') || fileName.contains(u'\\') || fileName.contains(QStringLiteral(".."))) {
        warn(invalidMessage(path));
        return std::nullopt;
    }
    if (!QFileInfo(path).isFile()) {
        warn(missingMessage(path));
        return std::nullopt;
    }
    const int start = buffer.selStart();
    const Result result = execute(path, buffer.text(), QString());
    std::optional<TemplateRun> changed;
    if (result.status != Result::Status::Ok) {
        warn(invalidMessage(path));
    } else if (!result.text.isEmpty()) {
        if (result.replaceSelection) {
            buffer.setSelLength(0);
            buffer.setSelText(result.text);
            const int end = buffer.selStart();
            buffer.select(start, end - start);
            changed = TemplateRun { start, end };
        } else {
            buffer.setText(result.text);
            buffer.select(0, 0);
            changed = TemplateRun { 0, buffer.length() };
        }
    }
    buffer.setSelLength(0);
    return changed;
}

} // namespace PluginHost

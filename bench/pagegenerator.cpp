// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagegenerator.h"

#include <random>

namespace {

const char *const words[] = { "the", "site", "page", "order", "price", "product", "list", "table", "of",
    "and", "with", "for", "your", "new", "home", "contact", "about", "news", "service", "quality", "delivery",
    "free", "online", "shop", "catalogue", "item", "colour", "size", "more", "information", "click", "here",
    "to", "see", "our", "latest", "offers", "spring", "summer", "garden", "kitchen", "office", "travel",
    "books", "music", "review", "customer", "support", "terms", "conditions", "privacy", "policy",
    "copyright", "all", "rights", "reserved", "welcome", "visitors", "since", "updated", "weekly", "lorem",
    "ipsum", "dolor", "sit", "amet" };

// Hand-written pages mix in accented words, typographic quotes and other scripts.
const char *const otherWords[]
    = { "caf\u00e9", "M\u00fcller", "na\u00efve", "\u00c6r\u00f8", "Stra\u00dfe", "\u201cquoted\u201d",
          "\u2014", "\u2026", "\u65e5\u672c\u8a9e", "\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac",
          "\u0440\u0443\u0441\u0441\u043a\u0438\u0439", "12\u00a0\u20ac", "\u00a9 1999" };

const char *const entities[] = { "&amp;", "&nbsp;", "&copy;", "&eacute;", "&#8364;", "&lt;b&gt;", "&quot;",
    "&reg;", "&#169;", "&uuml;" };

const char *const colours[]
    = { "#336699", "#FFFFCC", "#CC0000", "navy", "#E0E0E0", "white", "#006633", "silver" };

const char *const fonts[] = { "Verdana, Arial, Helvetica", "Times New Roman", "Arial", "Courier New" };

class Writer
{
public:
    Writer(qsizetype target, quint32 seed)
        : m_target(target)
        , m_random(seed)
    {
        m_out.reserve(target + target / 8 + 4096);
    }

    QByteArray run()
    {
        header();
        // A few very long lines, spread through the page, as minified scripts and pasted tables make them.
        const qsizetype longLines = m_target >= 1'000'000 ? 3 : 1;
        qsizetype nextLong = m_target / (longLines + 1);
        while (m_out.size() < m_target - 64) {
            if (m_out.size() >= nextLong) {
                longLine(qMin<qsizetype>(250'000, m_target / 40));
                nextLong += m_target / (longLines + 1);
            }
            section();
        }
        close("</body>");
        close("</html>");
        return m_out;
    }

private:
    int pick(int n) { return int(m_random() % quint32(n)); }
    bool chance(int percent) { return pick(100) < percent; }
    template <typename T, size_t N> const T &oneOf(const T (&list)[N]) { return list[pick(int(N))]; }

    void line(const QByteArray &text)
    {
        m_out.append(QByteArray(m_indent * 2, ' '));
        m_out.append(text);
        m_out.append("\r\n");
    }
    void open(const QByteArray &tag)
    {
        line(tag);
        ++m_indent;
    }
    void close(const QByteArray &tag)
    {
        --m_indent;
        line(tag);
    }

    QByteArray text(int count)
    {
        QByteArray out;
        for (int i = 0; i < count; ++i) {
            if (i)
                out += ' ';
            const int kind = pick(200);
            if (kind < 12)
                out += oneOf(otherWords);
            else if (kind < 20)
                out += oneOf(entities);
            else if (kind < 26)
                out += QByteArray("<b>") + oneOf(words) + "</b>";
            else if (kind < 30)
                out += QByteArray("<i>") + oneOf(words) + "</i>";
            else if (kind == 30 && chance(20))
                out += "\xf0\x9f\x98\x80"; // an emoji, now and then
            else
                out += oneOf(words);
        }
        return out;
    }

    QByteArray style()
    {
        return QByteArray("style=\"color: ") + oneOf(colours) + "; background-color: " + oneOf(colours)
            + "; font-family: " + oneOf(fonts) + "; padding: " + QByteArray::number(pick(12)) + "px\"";
    }

    QByteArray link()
    {
        return QByteArray("<a href=\"http://www.example.com/") + oneOf(words) + "/page"
            + QByteArray::number(pick(500)) + ".html?id=" + QByteArray::number(pick(100000))
            + "&amp;ref=" + oneOf(words) + "\" title=\"" + text(4) + "\">" + text(1 + pick(3)) + "</a>";
    }

    QByteArray base64(int length)
    {
        static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        QByteArray out(length, Qt::Uninitialized);
        for (char &c : out)
            c = alphabet[pick(64)];
        return out;
    }

    void header()
    {
        line("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
        open("<html>");
        open("<head>");
        line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
        line("<title>" + text(6) + "</title>");
        open("<style type=\"text/css\">");
        line("<!--");
        for (int i = 0; i < 12; ++i)
            line(QByteArray(".c") + QByteArray::number(i) + " { color: " + oneOf(colours)
                + "; font-family: " + oneOf(fonts) + "; margin: 0 " + QByteArray::number(i) + "px; }");
        line("-->");
        close("</style>");
        script();
        close("</head>");
        open("<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" vlink=\"#800080\" "
             "onload=\"preload('img/nav1_on.gif', 'img/nav2_on.gif')\">");
    }

    void section()
    {
        switch (pick(10)) {
        case 0:
            comment();
            break;
        case 1:
        case 2:
            table(0);
            break;
        case 3:
            form();
            break;
        case 4:
            list(0);
            break;
        case 5:
            if (chance(40))
                script();
            else
                paragraph();
            break;
        case 6:
            image();
            break;
        default:
            paragraph();
        }
    }

    void comment()
    {
        if (chance(50)) {
            line("<!-- " + text(5 + pick(8)) + " -->");
            return;
        }
        line("<!--");
        for (int i = pick(5); i >= 0; --i)
            line("  " + text(8 + pick(8)));
        line("-->");
    }

    void paragraph()
    {
        open("<p align=\"justify\" class=\"c" + QByteArray::number(pick(12)) + "\">");
        open("<font face=\"" + QByteArray(oneOf(fonts)) + "\" size=\"" + QByteArray::number(1 + pick(4))
            + "\" color=\"" + oneOf(colours) + "\">");
        for (int i = 1 + pick(5); i > 0; --i)
            line(
                text(6 + pick(14)) + (chance(30) ? " " + link() : QByteArray()) + (chance(20) ? "<br>" : ""));
        close("</font>");
        close("</p>");
    }

    void table(int depth)
    {
        open("<table border=\"" + QByteArray::number(pick(3)) + "\" cellpadding=\""
            + QByteArray::number(pick(6)) + "\" cellspacing=\"0\" width=\""
            + QByteArray::number(50 + pick(51)) + "%\" " + style() + ">");
        const int rows = 2 + pick(depth ? 3 : 6);
        const int columns = 2 + pick(4);
        for (int r = 0; r < rows; ++r) {
            open("<tr bgcolor=\"" + QByteArray(oneOf(colours)) + "\">");
            for (int c = 0; c < columns; ++c) {
                const QByteArray cell = r == 0 ? "th" : "td";
                if (depth < 2 && chance(6)) {
                    open("<" + cell + " valign=\"top\">");
                    table(depth + 1);
                    close("</" + cell + ">");
                } else if (chance(25)) {
                    line("<" + cell + " " + style() + ">" + text(1 + pick(6)) + "</" + cell + ">");
                } else {
                    line("<" + cell + " align=\"" + (chance(50) ? "left" : "right") + "\">"
                        + text(1 + pick(5)) + "</" + cell + ">");
                }
            }
            close("</tr>");
        }
        close("</table>");
    }

    void form()
    {
        open("<form action=\"/cgi-bin/order.pl\" method=\"post\" name=\"form" + QByteArray::number(pick(100))
            + "\" onsubmit=\"return check(this);\">");
        for (int i = 1 + pick(4); i > 0; --i)
            line(text(2) + ": <input type=\"text\" name=\"field" + QByteArray::number(i) + "\" value=\""
                + text(2) + "\" size=\"" + QByteArray::number(10 + pick(40)) + "\" maxlength=\"80\"><br>");
        open("<select name=\"choice\" size=\"1\">");
        for (int i = 2 + pick(6); i > 0; --i)
            line("<option value=\"" + QByteArray::number(i) + "\"" + (i == 1 ? " selected" : "") + ">"
                + text(2) + "</option>");
        close("</select>");
        line("<textarea name=\"notes\" rows=\"4\" cols=\"60\" wrap=\"virtual\">" + text(10) + "</textarea>");
        line("<input type=\"checkbox\" name=\"news\" checked> " + text(3));
        line("<input type=\"submit\" value=\"Send\"> <input type=\"reset\" value=\"Clear\">");
        close("</form>");
    }

    void list(int depth)
    {
        const QByteArray tag = chance(50) ? "ul" : "ol";
        open("<" + tag + (tag == "ul" ? " type=\"square\">" : " start=\"1\">"));
        for (int i = 2 + pick(6); i > 0; --i) {
            if (depth < 2 && chance(12)) {
                open("<li>" + text(2));
                list(depth + 1);
                close("</li>");
            } else {
                line("<li>" + (chance(60) ? link() : text(3 + pick(6))) + "</li>");
            }
        }
        close("</" + tag + ">");
    }

    void script()
    {
        open("<script type=\"text/javascript\" language=\"JavaScript\">");
        line("<!--");
        line("function swap" + QByteArray::number(pick(1000)) + "(img, src) {");
        line("  if (document.images && document.images[img]) document.images[img].src = src;");
        line("  var note = \"<b>" + text(3) + "</b>\"; // markup inside a string");
        line("  for (var i = 0; i < " + QByteArray::number(pick(50))
            + "; i++) { total += prices[i] * 1.175; }");
        line("}");
        line("// -->");
        close("</script>");
    }

    void image()
    {
        // Inline images and long handlers make attribute values of several kilobytes.
        line("<img src=\"data:image/gif;base64," + base64(2000 + pick(6000)) + "\" alt=\"" + text(4)
            + "\" width=\"" + QByteArray::number(16 + pick(400)) + "\" height=\""
            + QByteArray::number(16 + pick(300)) + "\" border=\"0\" onmouseover=\"swap('img"
            + QByteArray::number(pick(20)) + "', 'img/on_" + QByteArray::number(pick(20))
            + ".gif'); window.status='" + text(12) + "'; return true;\">");
    }

    void longLine(qsizetype length)
    {
        QByteArray out;
        if (chance(50)) {
            out = "<script type=\"text/javascript\">var catalogue=[";
            for (int i = 0; out.size() < length; ++i)
                out += "{\"id\":" + QByteArray::number(i) + ",\"name\":\"" + text(3) + "\",\"price\":\""
                    + QByteArray::number(pick(10000)) + "\\u00a0\\u20ac\",\"html\":\"<td class=\\\"c1\\\">"
                    + text(2) + "</td>\"},";
            out += "{}];</script>";
        } else {
            out = "<table width=\"100%\">";
            while (out.size() < length)
                out += "<tr><td " + style() + ">" + text(4) + "</td><td>" + link() + "</td></tr>";
            out += "</table>";
        }
        m_out.append(out);
        m_out.append("\r\n");
    }

    qsizetype m_target;
    std::mt19937 m_random;
    QByteArray m_out;
    int m_indent = 0;
};

} // namespace

namespace PageGenerator {

QByteArray pageUtf8(qsizetype bytes, quint32 seed)
{
    return Writer(bytes, seed).run();
}

QString page(qsizetype bytes, quint32 seed)
{
    return QString::fromUtf8(pageUtf8(bytes, seed));
}

} // namespace PageGenerator

// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time generator: turns a reviewed text source of the HTML vocabulary into the SQLite table
// the program opens read-only. Lines are "field | field | ..."; blank lines and lines starting with
// "#" are skipped. The last field of a tags line lists the attributes separated by blanks, and every
// field after the first of an attributes or css line is one value; multi-line fields are stored with
// CR LF between the lines.
//
// A tags source may define attribute groups ("$NAME = WORD WORD ...") and use $NAME among an
// element's attributes. The Image field of a tags line names a kind of element; the table holds the
// bytes of ICONS/<kind>.xpm. Every line is checked, so a slip in the sources fails the build instead of
// reaching the editor's lists.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string trim(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Every field between bars, an empty last field included, so "A | | x |" has four fields.
std::vector<std::string> splitFields(const std::string &line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto bar = line.find('|', start);
        fields.push_back(
            trim(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos)
            return fields;
        start = bar + 1;
    }
}

std::vector<std::string> words(const std::string &text)
{
    std::istringstream in(text);
    return { std::istream_iterator<std::string>(in), std::istream_iterator<std::string>() };
}

std::string joinLines(const std::vector<std::string> &items)
{
    std::string out;
    for (const auto &item : items) {
        if (!out.empty())
            out += "\r\n";
        out += item;
    }
    return out;
}

bool isUpperOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// An element or attribute name: a capital letter, then capitals and digits (and "-" for attributes
// such as HTTP-EQUIV).
bool isName(const std::string &s, bool hyphen)
{
    if (s.empty() || s[0] < 'A' || s[0] > 'Z')
        return false;
    for (char c : s) {
        if (!isUpperOrDigit(c) && !(hyphen && c == '-'))
            return false;
    }
    return true;
}

// ATTRIBUTE or ATTRIBUTE(ELEMENT).
bool isAttributeKey(const std::string &key)
{
    const auto open = key.find('(');
    if (open == std::string::npos)
        return isName(key, true);
    return key.back() == ')' && isName(key.substr(0, open), true)
        && isName(key.substr(open + 1, key.size() - open - 2), false);
}

bool isCssName(const std::string &s)
{
    if (s.empty() || s[0] < 'a' || s[0] > 'z')
        return false;
    for (char c : s) {
        if (!(c >= 'a' && c <= 'z') && c != '-')
            return false;
    }
    return true;
}

bool isKind(const std::string &s)
{
    if (s.empty())
        return false;
    for (char c : s) {
        if (c < 'a' || c > 'z')
            return false;
    }
    return true;
}

bool readFile(const std::string &path, std::string *bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !bytes->empty();
}

bool exec(sqlite3 *db, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::cerr << "makevocab: " << (error ? error : "unknown error") << '\n';
        sqlite3_free(error);
        return false;
    }
    return true;
}

// One row to insert; a blob column is bound as bytes.
struct Row
{
    std::vector<std::string> text;
    std::string blob;
};

class Parser
{
public:
    Parser(std::string kind, std::string source, std::string icons)
        : m_kind(std::move(kind))
        , m_source(std::move(source))
        , m_icons(std::move(icons))
    { }

    // Parses one non-comment line into row (left empty for a group definition); on a fault prints it
    // with the line number and returns false.
    bool parse(const std::string &line, int lineNumber, Row *row)
    {
        m_line = lineNumber;
        if (m_kind == "tags")
            return isDefinition(line) ? define(line) : tag(line, row);
        return entry(line, row);
    }

    static bool isDefinition(const std::string &line) { return line[0] == '$'; }

private:
    bool fail(const std::string &message) const
    {
        std::cerr << m_source << ':' << m_line << ": " << message << '\n';
        return false;
    }

    bool define(const std::string &line)
    {
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            return fail("expected $NAME = attributes");
        const std::string name = trim(line.substr(1, equals - 1));
        if (!isName(name, false))
            return fail("bad group name \"" + name + "\"");
        if (m_groups.count(name))
            return fail("group $" + name + " defined twice");
        std::vector<std::string> names;
        if (!expand(words(line.substr(equals + 1)), &names))
            return false;
        m_groups[name] = names;
        return true;
    }

    bool expand(const std::vector<std::string> &items, std::vector<std::string> *names) const
    {
        for (const auto &item : items) {
            if (item[0] == '$') {
                const auto group = m_groups.find(item.substr(1));
                if (group == m_groups.end())
                    return fail("undefined group " + item);
                names->insert(names->end(), group->second.begin(), group->second.end());
            } else if (isName(item, true)) {
                names->push_back(item);
            } else {
                return fail("bad attribute name \"" + item + "\"");
            }
        }
        return true;
    }

    bool tag(const std::string &line, Row *row)
    {
        const std::vector<std::string> fields = splitFields(line);
        if (fields.size() != 5)
            return fail("expected 5 fields");
        const std::string &element = fields[0];
        const std::string &version = fields[1];
        const std::string &kind = fields[2];
        const std::string &description = fields[3];
        if (!isName(element, false))
            return fail("bad element name \"" + element + "\"");
        static const std::set<std::string> versions { "", "2", "3.2", "4", "5" };
        if (!versions.count(version))
            return fail("bad HTML version \"" + version + "\"");
        if (description.empty())
            return fail("no description");
        if (!isKind(kind))
            return fail("bad image kind \"" + kind + "\"");
        std::string icon;
        if (!readFile(m_icons + '/' + kind + ".xpm", &icon))
            return fail("no icon " + m_icons + '/' + kind + ".xpm");
        std::vector<std::string> names;
        if (!expand(words(fields[4]), &names))
            return false;
        std::set<std::string> seen;
        for (const auto &name : names) {
            if (!seen.insert(name).second)
                return fail(element + " lists " + name + " twice");
        }
        row->text = { element, version, description, joinLines(names) };
        row->blob = icon;
        return true;
    }

    bool entry(const std::string &line, Row *row)
    {
        const std::vector<std::string> fields = splitFields(line);
        if (fields.size() < 2)
            return fail("expected an attribute and its values");
        const bool css = m_kind == "css";
        const std::string &key = fields[0];
        if (css ? !isCssName(key) : !isAttributeKey(key))
            return fail("bad key \"" + key + "\"");
        static const std::set<std::string> attributeMarkers { "<Colors>", "<Fonts>", "<Styles>" };
        static const std::set<std::string> cssMarkers { "<Color>", "<Number>", "<Font>", "<URL>" };
        const std::set<std::string> &markers = css ? cssMarkers : attributeMarkers;
        const std::vector<std::string> values(fields.begin() + 1, fields.end());
        std::set<std::string> seen;
        for (const auto &value : values) {
            if (value.empty())
                return fail("empty value");
            if (value[0] == '<') {
                if (!markers.count(value))
                    return fail("unknown marker " + value);
                if (values.size() != 1)
                    return fail("a marker must be the only value");
            }
            if (!seen.insert(value).second)
                return fail("value \"" + value + "\" listed twice");
        }
        row->text = { key, joinLines(values) };
        return true;
    }

    std::string m_kind;
    std::string m_source;
    std::string m_icons;
    std::map<std::string, std::vector<std::string>> m_groups;
    int m_line = 0;
};

} // namespace

int main(int argc, char **argv)
{
    const std::string kind = argc > 1 ? argv[1] : "";
    const bool tags = kind == "tags";
    if ((kind != "tags" && kind != "attributes" && kind != "css") || argc != (tags ? 5 : 4)) {
        std::cerr << "usage: makevocab tags SOURCE OUTPUT ICONS\n"
                     "       makevocab attributes|css SOURCE OUTPUT\n";
        return 2;
    }
    std::ifstream source(argv[2]);
    if (!source) {
        std::cerr << "makevocab: cannot read " << argv[2] << '\n';
        return 1;
    }
    const std::string output = argv[3];
    const std::string temporary = output + ".tmp";
    std::remove(temporary.c_str());

    sqlite3 *db = nullptr;
    if (sqlite3_open(temporary.c_str(), &db) != SQLITE_OK) {
        std::cerr << "makevocab: cannot create " << temporary << '\n';
        sqlite3_close(db);
        return 1;
    }
    const std::string table = tags ? "Tags" : kind == "css" ? "CSS" : "Attributes";
    // "Values" is a keyword in SQL; the column keeps the field's name through quoting.
    const std::string schema = tags
        ? "CREATE TABLE Tags (Element TEXT PRIMARY KEY NOT NULL, Attributes TEXT NOT NULL,"
          " Description TEXT NOT NULL, HTMLVersion TEXT NOT NULL, Image BLOB NOT NULL)"
        : "CREATE TABLE " + table
            + " (Attribute TEXT PRIMARY KEY NOT NULL COLLATE NOCASE, \"Values\" TEXT NOT NULL)";
    if (!exec(db, schema.c_str()) || !exec(db, "BEGIN")) {
        sqlite3_close(db);
        std::remove(temporary.c_str());
        return 1;
    }
    const std::string insert = tags
        ? "INSERT INTO Tags (Element, HTMLVersion, Description, Attributes, Image) VALUES (?, ?, ?, ?, ?)"
        : "INSERT INTO " + table + " (Attribute, \"Values\") VALUES (?, ?)";
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, insert.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        std::cerr << "makevocab: " << sqlite3_errmsg(db) << '\n';
        sqlite3_close(db);
        std::remove(temporary.c_str());
        return 1;
    }

    Parser parser(kind, argv[2], tags ? argv[4] : "");
    std::string line;
    int lineNumber = 0;
    int failures = 0;
    while (std::getline(source, line)) {
        ++lineNumber;
        const std::string trimmed = trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        Row row;
        if (!parser.parse(trimmed, lineNumber, &row)) {
            ++failures;
            continue;
        }
        if (row.text.empty())
            continue;
        sqlite3_reset(statement);
        int column = 1;
        for (const auto &text : row.text)
            sqlite3_bind_text(statement, column++, text.c_str(), -1, SQLITE_TRANSIENT);
        if (tags)
            sqlite3_bind_blob(statement, column, row.blob.data(), int(row.blob.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(statement) != SQLITE_DONE) {
            std::cerr << argv[2] << ':' << lineNumber << ": " << sqlite3_errmsg(db) << '\n';
            ++failures;
        }
    }
    sqlite3_finalize(statement);
    const bool committed = exec(db, "COMMIT");
    sqlite3_close(db);
    if (failures > 0 || !committed) {
        std::remove(temporary.c_str());
        return 1;
    }
    if (std::rename(temporary.c_str(), output.c_str()) != 0) {
        std::cerr << "makevocab: cannot write " << output << '\n';
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time generator: turns a reviewed text source of the HTML vocabulary into the SQLite table
// the program opens read-only. Lines are "field | field | ..."; blank lines and lines starting with
// "#" are skipped. The last field of a tags line lists the attributes separated by blanks, and every
// field after the first of an attributes or css line is one value; multi-line fields are stored with
// CR LF between the lines.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
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

std::vector<std::string> splitFields(const std::string &line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '|'))
        fields.push_back(trim(field));
    return fields;
}

std::string joinLines(const std::vector<std::string> &items)
{
    std::string out;
    for (const auto &item : items) {
        if (item.empty())
            continue;
        if (!out.empty())
            out += "\r\n";
        out += item;
    }
    return out;
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

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: makevocab tags|attributes|css SOURCE OUTPUT\n";
        return 2;
    }
    const std::string kind = argv[1];
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
        return 1;
    }
    const bool tags = kind == "tags";
    const std::string table = tags ? "Tags" : kind == "css" ? "CSS" : "Attributes";
    // "Values" is a keyword in SQL; the column keeps the field's name through quoting.
    const std::string schema = tags
        ? "CREATE TABLE Tags (Element TEXT PRIMARY KEY NOT NULL, Attributes TEXT NOT NULL,"
          " Description TEXT NOT NULL, HTMLVersion TEXT NOT NULL, Image TEXT NOT NULL)"
        : "CREATE TABLE " + table + " (Attribute TEXT PRIMARY KEY NOT NULL, \"Values\" TEXT NOT NULL)";
    if (!exec(db, schema.c_str()) || !exec(db, "BEGIN")) {
        sqlite3_close(db);
        return 1;
    }
    const std::string insert = tags
        ? "INSERT INTO Tags (Element, HTMLVersion, Image, Description, Attributes) VALUES (?, ?, ?, ?, ?)"
        : "INSERT INTO " + table + " (Attribute, \"Values\") VALUES (?, ?)";
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, insert.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        std::cerr << "makevocab: " << sqlite3_errmsg(db) << '\n';
        sqlite3_close(db);
        return 1;
    }

    std::string line;
    int lineNumber = 0;
    int failures = 0;
    while (std::getline(source, line)) {
        ++lineNumber;
        const std::string trimmed = trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        std::vector<std::string> fields = splitFields(trimmed);
        std::vector<std::string> values;
        if (tags) {
            if (fields.size() != 5) {
                std::cerr << argv[2] << ':' << lineNumber << ": expected 5 fields\n";
                ++failures;
                continue;
            }
            std::istringstream attributes(fields[4]);
            std::vector<std::string> names;
            for (std::string name; attributes >> name;)
                names.push_back(name);
            values = { fields[0], fields[1], fields[2], fields[3], joinLines(names) };
        } else {
            if (fields.size() < 2) {
                std::cerr << argv[2] << ':' << lineNumber << ": expected an attribute and its values\n";
                ++failures;
                continue;
            }
            values = { fields[0], joinLines({ fields.begin() + 1, fields.end() }) };
        }
        sqlite3_reset(statement);
        for (std::size_t i = 0; i < values.size(); ++i)
            sqlite3_bind_text(statement, int(i + 1), values[i].c_str(), -1, SQLITE_TRANSIENT);
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
        return 1;
    }
    return 0;
}

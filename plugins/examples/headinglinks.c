/* SPDX-License-Identifier: GPL-3.0-or-later */
/* Inserts at the caret a list of links to the page's headings (H1 to H6) that carry an id, so a long
 * page gets its table of contents in one step. */
#include "tagloom-plugin.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

static char *output;
static size_t used, capacity;

void GetInfo(const char **name, const char **description, int32_t *major, int32_t *minor)
{
    *name = "Heading Links";
    *description = "Insert a list of links to the headings of the page that have an id";
    *major = 1;
    *minor = 1;
}

static int append(const char *text, size_t length)
{
    if (used + length + 1 > capacity) {
        size_t wanted = (used + length + 1) * 2;
        char *grown = realloc(output, wanted);
        if (!grown)
            return 0;
        output = grown;
        capacity = wanted;
    }
    memcpy(output + used, text, length);
    used += length;
    output[used] = '\0';
    return 1;
}

static int appendText(const char *text)
{
    return append(text, strlen(text));
}

/* Case-blind prefix test. */
static int startsWith(const char *text, const char *prefix)
{
    for (; *prefix; ++text, ++prefix) {
        if (tolower((unsigned char)*text) != tolower((unsigned char)*prefix))
            return 0;
    }
    return 1;
}

/* The value of id="..." (or id='...') inside the tag that starts at tag and ends at end. */
static int findId(const char *tag, const char *end, const char **value, size_t *length)
{
    for (const char *p = tag; p + 4 < end; ++p) {
        if (isspace((unsigned char)p[0]) && startsWith(p + 1, "id=") && (p[4] == '"' || p[4] == '\'')) {
            const char quote = p[4];
            const char *start = p + 5;
            const char *close = memchr(start, quote, (size_t)(end - start));
            if (!close)
                return 0;
            *value = start;
            *length = (size_t)(close - start);
            return 1;
        }
    }
    return 0;
}

/* The heading's text without its inner tags, line breaks made blanks. */
static int appendPlain(const char *from, const char *to)
{
    int inTag = 0;
    for (const char *p = from; p < to; ++p) {
        if (*p == '<')
            inTag = 1;
        else if (*p == '>')
            inTag = 0;
        else if (!inTag && !append(*p == '\r' || *p == '\n' ? " " : p, 1))
            return 0;
    }
    return 1;
}

void Execute(TagloomResult *result, const char *document, const char *selection)
{
    (void)selection;
    free(output);
    output = NULL;
    used = capacity = 0;
    int found = 0;
    for (const char *p = document; (p = strchr(p, '<')) != NULL; ++p) {
        if (!(tolower((unsigned char)p[1]) == 'h' && p[2] >= '1' && p[2] <= '6'
                && (p[3] == '>' || isspace((unsigned char)p[3]))))
            continue;
        const char *tagEnd = strchr(p, '>');
        if (!tagEnd)
            break;
        const char close[] = { '<', '/', 'h', p[2], '\0' };
        const char *end = tagEnd;
        while (*end && !startsWith(end, close))
            ++end;
        const char *id;
        size_t idLength;
        if (!findId(p, tagEnd, &id, &idLength))
            continue;
        if (!found && !appendText("<ul>\r\n"))
            return;
        found = 1;
        if (!appendText("<li><a href=\"#") || !append(id, idLength) || !appendText("\">")
            || !appendPlain(tagEnd + 1, end) || !appendText("</a></li>\r\n"))
            return;
        p = end;
        if (!*p)
            break;
    }
    if (found && appendText("</ul>\r\n")) {
        result->text = output;
        result->selection = 1;
    }
}

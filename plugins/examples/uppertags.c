/* SPDX-License-Identifier: GPL-3.0-or-later */
/* Upper-cases the names of the tags in the selection (the whole page when nothing is selected), leaving
 * attributes, values and text alone. */
#include "tagloom-plugin.h"

#include <stdlib.h>
#include <string.h>

static char *output;

void GetInfo(const char **name, const char **description, int32_t *major, int32_t *minor)
{
    *name = "Upper-Case Tag Names";
    *description = "Write the tag names of the selection (or the page) in capitals";
    *major = 1;
    *minor = 0;
}

static int isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == ':';
}

void Execute(TagloomResult *result, const char *document, const char *selection)
{
    const int wholePage = selection[0] == '\0';
    const char *input = wholePage ? document : selection;
    size_t length = strlen(input);
    free(output);
    output = malloc(length + 1);
    if (!output)
        return;
    memcpy(output, input, length + 1);
    for (size_t i = 0; i < length; ++i) {
        if (output[i] != '<')
            continue;
        size_t j = i + 1;
        if (j < length && (output[j] == '/' || output[j] == '!'))
            ++j;
        if (strncmp(output + i, "<!--", 4) == 0) {
            /* A comment is text: skip to its end. */
            const char *end = strstr(output + i + 4, "-->");
            if (!end)
                break;
            i = (size_t)(end - output) + 2;
            continue;
        }
        for (; j < length && isNameChar(output[j]); ++j) {
            if (output[j] >= 'a' && output[j] <= 'z')
                output[j] = (char)(output[j] - 'a' + 'A');
        }
        i = j - 1;
    }
    result->text = output;
    result->selection = wholePage ? 0 : 1;
}

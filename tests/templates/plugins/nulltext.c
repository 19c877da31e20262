/* SPDX-License-Identifier: GPL-3.0-or-later */
/* A plug-in that hands back null texts everywhere. */
#include "tagloom-plugin.h"

void GetInfo(const char **name, const char **description, int32_t *major, int32_t *minor)
{
    *name = 0;
    *description = 0;
    *major = 2;
    *minor = 5;
}

void Execute(TagloomResult *result, const char *document, const char *selection)
{
    (void)document;
    (void)selection;
    result->text = 0;
    result->selection = 1;
}

/* SPDX-License-Identifier: GPL-3.0-or-later */
/* A plug-in that dies inside both entry points. */
#include "tagloom-plugin.h"

#include <stdlib.h>

void GetInfo(const char **name, const char **description, int32_t *major, int32_t *minor)
{
    (void)name;
    (void)description;
    (void)major;
    (void)minor;
    abort();
}

void Execute(TagloomResult *result, const char *document, const char *selection)
{
    (void)result;
    (void)document;
    (void)selection;
    abort();
}

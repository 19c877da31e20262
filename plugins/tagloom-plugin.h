/* SPDX-License-Identifier: GPL-3.0-or-later */
/*
 * The interface between Tagloom and its plug-ins. A plug-in is a shared library (".so") in the folder
 * "Addin" beside the program. It exports two functions with C linkage, GetInfo and Execute; everything
 * a plug-in needs is in this header, and it builds with nothing but a C or C++ compiler:
 *
 *     cc -shared -fPIC -o myplugin.so myplugin.c
 *
 * All texts are zero-terminated UTF-8. Line breaks in the document are CR LF.
 */
#ifndef TAGLOOM_PLUGIN_H
#define TAGLOOM_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* What Execute hands back. */
typedef struct TagloomResult
{
    /* The result text. It must stay valid until the library is unloaded, which happens right after
     * Execute returns; Tagloom copies it and never frees it. Null or empty: the document is left alone. */
    const char *text;
    /* Non-zero: the text replaces the selection. Zero: the text replaces the whole document. */
    unsigned char selection;
} TagloomResult;

#if defined(__GNUC__)
#define TAGLOOM_EXPORT __attribute__((visibility("default")))
#else
#define TAGLOOM_EXPORT
#endif

/* The plug-in's name, a one-line description and its version, shown in the Tools menu as
 * "name ver major.minor" with the description in the status bar. The texts must stay valid until the
 * library is unloaded (string literals are the usual choice). */
TAGLOOM_EXPORT void GetInfo(const char **name, const char **description, int32_t *major, int32_t *minor);

/* Runs the plug-in. document is the whole text of the page and selection the selected text (empty when
 * nothing is selected); both belong to Tagloom and are valid only during the call. The result record
 * arrives zeroed. */
TAGLOOM_EXPORT void Execute(TagloomResult *result, const char *document, const char *selection);

typedef void (*TagloomGetInfoFunction)(const char **, const char **, int32_t *, int32_t *);
typedef void (*TagloomExecuteFunction)(TagloomResult *, const char *, const char *);

#ifdef __cplusplus
}
#endif

#endif

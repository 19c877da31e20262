/* SPDX-License-Identifier: GPL-3.0-or-later */
/* A shared library that is no plug-in: it exports neither GetInfo nor Execute. */
__attribute__((visibility("default"))) int unrelated(void)
{
    return 42;
}

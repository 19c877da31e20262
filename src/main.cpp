// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/startup.h"

int main(int argc, char **argv)
{
    return runTagloom(argc, argv);
}

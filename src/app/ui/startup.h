// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's start: installation check, first-start set-up, splash, main window, message loop.
int runTagloom(int argc, char **argv);

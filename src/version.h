#pragma once
// The module's version, in one place: the Windows version resource, the
// menu header and the release package all take it from here. The numbers
// and the texts must agree (start_report.cpp checks them at compile time).

#define VELOXAN_VERSION_MAJOR 2
#define VELOXAN_VERSION_MINOR 6
#define VELOXAN_VERSION_PATCH 0
#define VELOXAN_VERSION_TEXT "2.6.0"
// As the menu header shows it.
#define VELOXAN_VERSION_SHORT "v2.6"
// Where the first-run notice sends the player for help.
#define VELOXAN_HELP_LINE "Help and updates: see the Veloxan readme"

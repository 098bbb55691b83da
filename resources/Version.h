// The program's version, as its version resource and its about box give it.
#pragma once

#define QUORVANE_VERSION 2, 1, 14, 0
#define QUORVANE_VERSION_TEXT "2.1.14.0"
// The version users see: major, minor, build.
#define QUORVANE_VERSION_SHORT "2.1.14"

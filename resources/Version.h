// The program's version, as its version resource gives it.
#pragma once

#define QUORVANE_VERSION 0, 1, 0, 0
#define QUORVANE_VERSION_TEXT "0.1.0.0"

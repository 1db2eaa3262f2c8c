#pragma once

// COM and OLE Automation, in the order the platform's headers need.
#include <ole2.h>
#include <windows.h>

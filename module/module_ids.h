#pragma once

// The module's fixed identifiers and interfaces, generated from the type library's IDL.
#include "zarnRel.h"

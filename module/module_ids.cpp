// Defines the identifiers that the generated header declares.
#include <initguid.h>

#include "module/module_ids.h"

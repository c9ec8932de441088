// The framework's collections: arrays, lists and hash maps with MFC's
// interfaces.
#pragma once

#include "Array.h"
#include "List.h"
#include "Map.h"

// The OLE value types: COleVariant, COleDateTime, COleDateTimeSpan.
#pragma once

#include "OleVariant.h"
#include "OleDateTime.h"

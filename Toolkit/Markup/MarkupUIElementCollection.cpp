#include "Markup/MarkupUIElementCollection.h"

#include "Markup/MarkupAutomation.h"

BEGIN_DISPATCH_MAP(CLVKMarkupUIElementCollection, CLVKMarkupCollection)
    DISP_FUNCTION_ID(CLVKMarkupUIElementCollection, "Item", DISPID_VALUE, OleItem, VT_DISPATCH, VTS_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupUIElementCollection, "Count", 1, OleGetCount, SetNotSupported, VT_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupUIElementCollection, "_NewEnum", DISPID_NEWENUM, OleNewEnum, SetNotSupported,
                        VT_UNKNOWN)
    DISP_FUNCTION_ID(CLVKMarkupUIElementCollection, "Add", 2, OleAdd, VT_EMPTY, VTS_DISPATCH)
    DISP_FUNCTION_ID(CLVKMarkupUIElementCollection, "Insert", 3, OleInsert, VT_EMPTY, VTS_I4 VTS_DISPATCH)
    DISP_FUNCTION_ID(CLVKMarkupUIElementCollection, "Clear", 4, OleClear, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION_ID(CLVKMarkupUIElementCollection, "RemoveAt", 5, OleRemoveAt, VT_EMPTY, VTS_I4)
END_DISPATCH_MAP()
